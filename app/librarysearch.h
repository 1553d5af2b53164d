#ifndef LIBRARYSEARCH_H
#define LIBRARYSEARCH_H

// Keeps the program from loading libraries and toolkit plugins that someone
// else put beside it or named in the environment. Called first in main(),
// before the application object exists.
void restrictLibrarySearch();

#endif
