#pragma once

#include "value.h"

#include <QString>

namespace hoteldb {

struct SqlToken
{
    enum class Kind { End, Word, Text, Number, Star, Comma, LeftParen, RightParen, Semicolon,
                      Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };

    Kind kind = Kind::End;
    qsizetype position = 0; // 0-based index of the first character in the text
    QString text;           // a word as written, or a text literal with its quotes undone
    Value number;           // Integer or Real

    bool isWord(QStringView keyword) const
    {
        return kind == Kind::Word && text.compare(keyword, Qt::CaseInsensitive) == 0;
    }
};

} // namespace hoteldb
