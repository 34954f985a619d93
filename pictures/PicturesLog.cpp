#include "pictures/PicturesLog.h"

Q_LOGGING_CATEGORY(lcPictures, "lf.pictures", QtInfoMsg)
