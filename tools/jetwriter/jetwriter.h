#pragma once

// The whole public interface of the Jet writer.
#include "databasewriter.h"
#include "description.h"
#include "descriptionparser.h"
#include "jetwriteerror.h"
