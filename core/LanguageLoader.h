#pragma once

#include <QString>

class QXmlStreamReader;

// Reads the language files "0-English.xml", "5-Polish.xml" and "Net.xml" from
// the Language folder of the program folder, in this order, and appends one
// row to a section's table each time a section's completing element is read.
// A file that cannot be opened ends the loading, so the row numbers always
// follow the file order; a file that is rejected or broken keeps the rows it
// completed and does not stop the next file. Nothing is reported. Called once,
// by the main window, before any form takes its texts.
void LoadLanguageFiles();

// The element rules of the language file format, shared with the readers that
// take a section straight from a file. Both leave the reader on the token
// after the element's end tag.

// The character data of the current start element (entities resolved, CDATA
// kept, comments left out). A child element is an error that stops the
// reader; the text read before it is returned.
QString ReadLanguageElementText(QXmlStreamReader& reader);

// Skips the current start element with everything inside it.
void SkipLanguageElement(QXmlStreamReader& reader);
