#ifndef LIBRARYSEARCH_H
#define LIBRARYSEARCH_H

// Keeps the program from loading libraries and toolkit plugins that someone
// else put beside it or named in the environment. Called first in main(),
// before the application object exists.
void restrictLibrarySearch();

// Drops Qt's command-line options that load plugins from a folder or by name
// (-platformpluginpath, -plugin, with their values), so that whoever starts
// the window, elevated or not, cannot make it run code from elsewhere. Changes
// argv in place and returns the number of arguments left, for QApplication.
int dropPluginOptions(int argc, char *argv[]);

#endif
