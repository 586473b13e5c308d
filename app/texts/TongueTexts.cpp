#include "app/texts/TongueTexts.h"

#include "app/texts/Texts.h"

TongueTexts tongueTexts()
{
    return {programCaption(), QStringLiteral("I speak english."), QStringLiteral("Ich spreche deutsch.")};
}
