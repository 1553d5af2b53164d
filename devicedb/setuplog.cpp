#include "setuplog.h"

Q_LOGGING_CATEGORY(lcSetup, "qn58.setup", QtWarningMsg)
