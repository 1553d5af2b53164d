#include "librarysearch.h"

// Shared libraries and the toolkit's plugins come from the system's folders.
void restrictLibrarySearch() {}
