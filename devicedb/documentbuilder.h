#ifndef DOCUMENTBUILDER_H
#define DOCUMENTBUILDER_H

#include <QDomDocument>
#include <QXmlStreamReader>

// Builds the tree the toolkit's own parser builds from a document without a
// document type declaration, node for node, but with one copy of each name
// and of each attribute value and text that recurs: a database repeats the
// same few names and values in every entry, and the tree is what a large
// database costs in memory. False when the reader stops at an error, which
// it then reports.
bool buildDocument(QXmlStreamReader &reader, QDomDocument &doc);

#endif
