#pragma once

#include "OwningKeyTree.h"

#include "wizard/CWEField.h"

class CWEFieldTree : public OwningKeyTree<CWEField> {};
