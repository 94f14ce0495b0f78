#include "platform/edit_grid.h"
