#include "librarysearch.h"

#include <cstring>

namespace {

// Qt reads "--name" as "-name", and takes the next argument as its value.
// The "-name=value" form is dropped too, should a later Qt accept it.
bool isPluginOption(const char *argument, bool &bValueFollows)
{
    if (argument[0] != '-')
        return false;
    if (argument[1] == '-')
        ++argument;
    static const char *const names[] = {"-platformpluginpath", "-plugin"};
    for (const char *name : names) {
        const std::size_t length = std::strlen(name);
        if (std::strncmp(argument, name, length) != 0)
            continue;
        if (argument[length] == '\0') {
            bValueFollows = true;
            return true;
        }
        if (argument[length] == '=') {
            bValueFollows = false;
            return true;
        }
    }
    return false;
}

} // namespace

int dropPluginOptions(int argc, char *argv[])
{
    int kept = argc > 0 ? 1 : 0;
    for (int i = kept; i < argc; ++i) {
        bool bValueFollows = false;
        if (isPluginOption(argv[i], bValueFollows)) {
            if (bValueFollows)
                ++i;
            continue;
        }
        argv[kept++] = argv[i];
    }
    if (kept < argc)
        argv[kept] = nullptr;
    return kept;
}
