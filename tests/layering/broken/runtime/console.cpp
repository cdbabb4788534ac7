#include "convert/job.h"
