#include "loggen/log_generator.h"
