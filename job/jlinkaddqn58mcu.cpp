#include "jlinkaddqn58mcu.h"

JLinkAddQN58MCU::JLinkAddQN58MCU(QString strJLinkPath)
    : QThread(nullptr)
    , strJLinkPath(strJLinkPath)
{
}
