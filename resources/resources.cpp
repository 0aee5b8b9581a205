#include "resources.h"

#include <QtGlobal>

static void initOnce()
{
    Q_INIT_RESOURCE(resources);
}

void initResources()
{
    static const bool done = (initOnce(), true);
    Q_UNUSED(done);
}
