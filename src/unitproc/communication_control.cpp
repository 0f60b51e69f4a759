#include "unitproc/communication_control.h"
