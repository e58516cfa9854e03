#pragma once
// The pictures a finder has met, by the checksum of their path.

#include "OwningKeyTree.h"

#include "wizard/CWEPicture.h"

class CWEPictureList : public OwningKeyTree<CWEPicture> {};
