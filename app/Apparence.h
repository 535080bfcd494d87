// The look shared by the main window and the dialogs.
#pragma once

#include <QFont>

namespace ortix {

// A small sans-serif face, so that the rows fit the window's fixed places at 96 dpi.
inline QFont policeInterface() {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(11);
    return f;
}

} // namespace ortix
