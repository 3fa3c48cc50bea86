#include "data/DbfTable.h"

#include <gtest/gtest.h>
