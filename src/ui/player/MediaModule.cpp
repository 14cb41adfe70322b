// The entry of the media module that LoadedMediaEngine loads.
#include "ui/player/QtMediaEngine.h"

extern "C" Q_DECL_EXPORT quorvan::MediaEngine* quorvan_create_media_engine() {
    return new quorvan::QtMediaEngine;
}
