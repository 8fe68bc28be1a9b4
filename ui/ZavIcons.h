#pragma once

#include <QIcon>
#include <QString>

// The seven named images of the window, in this order; a command's image index counts in it.
enum TZavImage { imDocumentEmpty, imFolderOpen, imClose, imArrowLeft, imArrowRight, imMagnifyingGlass, imDelete };

// The image from the desktop's icon theme when it has one under the freedesktop name,
// else one of our own, drawn at 24 and 32 pixels, so no button is ever blank.
QIcon ZavIcon(TZavImage AImage);
// The image's name ("document_empty", ...).
QString ZavImageName(TZavImage AImage);
