#include "zyr/types.hpp"
