#include "writing/writing_icons.h"

#include <QtGlobal>

void initWritingIcons() {
    static const bool done = [] {
        Q_INIT_RESOURCE(writing_icons);
        return true;
    }();
    Q_UNUSED(done);
}
