#pragma once
// What the browser's Navigate makes of its argument: an address as typed, or
// a file path that may carry a "#" fragment ("tmp.htm#2024/05/01").
#include <QString>
#include <QUrl>

namespace BrowserAddress {

// An empty or blank target gives an empty (invalid) QUrl: nothing to load.
// A path starting with "/" is a local file; its fragment starts at the first
// "#" after which the path names an existing file, else at the first "#".
// "scheme://...", "about:", "event:", "mailto:", "javascript:" and "data:"
// are taken as they stand; anything else as a typed address ("example.jp"
// becomes "http://example.jp").
QUrl fromTarget(const QString& target);

}  // namespace BrowserAddress
