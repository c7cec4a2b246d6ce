#pragma once

#include "operatorerror.h"

namespace movement {

// A failure while preparing or writing a movement file, naming the file, field or value at
// fault. No caller tells it from the operator's other errors.
using MovementError = core::OperatorError;

} // namespace movement
