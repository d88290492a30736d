#include "src/vzryv.hpp"
