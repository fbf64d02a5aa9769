// Registration of the compiled-in resources.
#include "Resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterPresetorResources() {
    Q_INIT_RESOURCE(presetor);
    Q_INIT_RESOURCE(presetor_icons);
    Q_INIT_RESOURCE(presetor_i18n);
}

namespace presetor {

void InitResources() {
    static const bool done = [] {
        RegisterPresetorResources();
        return true;
    }();
    Q_UNUSED(done);
}

} // namespace presetor
