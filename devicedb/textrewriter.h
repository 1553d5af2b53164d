#ifndef TEXTREWRITER_H
#define TEXTREWRITER_H

#include <QByteArray>

// What the pass saw besides the text it wrote.
struct RewriteOutcome
{
    int nRemoved = 0; // the vendor's entries left out
    // The result holds nothing but the bare document element: no attribute,
    // no child, no declaration, comment or instruction beside it.
    bool bEmptied = false;
};

// An edit of a database made on its text, without the tree: result becomes,
// byte for byte, what loading content, removing the vendor's entries,
// appending entriesText (elements as a save writes them below the document
// element, or nothing) and saving would write. The tree takes memory and
// time in proportion to every node of a large database; this reads it once.
// False for what it leaves to the tree: a document type, an entity
// reference, an instruction named xml, a repeated attribute, or content the
// reader refuses.
bool rewriteDatabaseText(const QByteArray &content, const QByteArray &entriesText,
                         QByteArray &result, RewriteOutcome *pOutcome = nullptr);

#endif
