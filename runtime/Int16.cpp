#include "Int16.h"

#include "RuntimeError.h"

void Int16::raiseOverflow()
{
    throw RuntimeError(ErrorKind::Overflow);
}
