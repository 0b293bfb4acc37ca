#pragma once
// The player's ball: a TObject with its own type identity.

#include "physics/object.h"

class TPlayer final : public TObject {};
