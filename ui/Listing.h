#pragma once

// Telling a listing from program text: both are often UTF-8 now, but only
// a listing may drop comment lines and read escapes, so a text file is read
// as a listing only when it looks like one.

#include <QString>
#include <QStringView>


namespace orrikey {

// True for UTF-8 text whose lines are numbered as a listing numbers them,
// or that holds a character of a listing that program text never does.
bool LooksLikeListing(QStringView text);

}  // namespace orrikey
