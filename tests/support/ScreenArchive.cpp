#include "ScreenArchive.h"

namespace uitest {

ScreenArchive::ScreenArchive(db::Engine engine) : archive(engine) {
    context.db = &archive.db();
    context.interaction = &interaction;
}

} // namespace uitest
