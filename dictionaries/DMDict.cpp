#include "DMDict.h"

TDMDict *DMDict = nullptr;
