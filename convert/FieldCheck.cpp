#include "FieldCheck.h"

#include "Int16.h"
#include "RuntimeError.h"

void FieldCheck::run(FieldSurface& fields, Field field)
{
    MatchCount = 0;
    BadInput = 0;
    // One read serves the whole check: nothing else runs while it does, so
    // the field cannot change under it.
    const Text text = fields.readText(field);
    try {
        const std::int16_t length = Int16::narrow(text.length());
        for (CharPos = 1; CharPos <= length; Int16::increment(CharPos)) {
            CurChar = text.mid(CharPos);
            const std::int16_t validCount = Int16::narrow(ValidChars.length());
            for (ValidPos = 1; ValidPos <= validCount; Int16::increment(ValidPos)) {
                if (ValidChars.mid(ValidPos) == CurChar)
                    Int16::increment(MatchCount);
            }
        }
    } catch (const RuntimeError& error) {
        if (error.kind() != ErrorKind::Overflow)
            throw;
        // The 16-bit counters cannot walk a field this long. Refusing the
        // field lets the user correct it, where the overflow would end the
        // program.
        BadInput = 1;
        return;
    }
    if (text.length() != MatchCount)
        BadInput = 1;
}
