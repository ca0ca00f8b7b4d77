#include "platform/background.h"

namespace Background {

QThreadPool& diskWaits() {
    static QThreadPool pool;
    return pool;
}

}  // namespace Background
