#include "platform/workbook.h"
