#ifndef SETUPLOG_H
#define SETUPLOG_H

#include <QLoggingCategory>

// Details for developers, such as the paths and toolkit errors behind a
// reason; off unless QT_LOGGING_RULES turns on "qn58.setup.debug". Users get
// reasons, not log lines.
Q_DECLARE_LOGGING_CATEGORY(lcSetup)

#endif
