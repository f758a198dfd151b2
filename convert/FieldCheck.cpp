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
        const std::u16string_view valid = ValidChars.view();
        for (CharPos = 1; CharPos <= length; Int16::increment(CharPos)) {
            CurChar.assignMid(text, CharPos);
            const char16_t current = CurChar.view().front();
            const std::int16_t validCount = Int16::narrow(ValidChars.length());
            // The inner counters live in registers and are stored once per
            // character: this loop runs 360,000 times for a field of 32,766
            // characters, and going through memory each pass doubled its cost.
            std::int16_t validPos = 1;
            std::int16_t matchCount = MatchCount;
            for (; validPos <= validCount; Int16::increment(validPos)) {
                if (valid[static_cast<std::size_t>(validPos - 1)] == current)
                    Int16::increment(matchCount);
            }
            ValidPos = validPos;
            MatchCount = matchCount;
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
