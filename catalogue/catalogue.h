#ifndef CATALOGUE_H
#define CATALOGUE_H

#include <cstddef>

// Which entry writer a row goes to; the order is the order of the kinds
// within a family block.
enum class EntryKind { MainFlash, ApMode, Usd, ExtFlash, Universal };

// One device the installer registers. Only the integer fields of the row's
// kind are meaningful; the others are 0.
struct CatalogueRow {
    EntryKind kind;
    const char *deviceName;
    const char *workRamSize;
    int flashSizeKB;
    int familyCode;
    int usdVariant;
    int extSizeKB;
    int extType;
    int extRemap;
};

struct CatalogueRows {
    const CatalogueRow *first;
    std::size_t count;

    const CatalogueRow *begin() const { return first; }
    const CatalogueRow *end() const { return first + count; }
    std::size_t size() const { return count; }
    const CatalogueRow &operator[](std::size_t i) const { return first[i]; }
};

// Every row, in the order in which it is registered.
CatalogueRows deviceCatalogue();

#endif
