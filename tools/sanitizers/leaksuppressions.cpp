// Leaks that LeakSanitizer reports in Qt itself, not in this project: read
// by the sanitizer's runtime in every program of a checked build, so that a
// test run as another user (which loses the environment) is judged alike.

extern "C" const char *__lsan_default_suppressions()
{
    // The offscreen platform's screen, which Qt never frees; what hangs
    // from it goes with it.
    return "leak:QScreen::QScreen\n"
           "leak:QPlatformScreen::QPlatformScreen\n"
           "leak:QWindowSystemInterface::handleScreenAdded\n";
}
