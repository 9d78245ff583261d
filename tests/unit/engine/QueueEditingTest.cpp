#include "tests/unit/engine/EngineFixture.h"
