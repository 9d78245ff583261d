// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shortcuts/KeyCombination.h"
#include "tests/unit/shortcuts/ShortcutPrinters.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace sorvu {
namespace {

// Decoding random, generated and mutated bytes. Generated objects are known to be readable or not by how
// they were made; any other input the decoder accepts is checked against a reading of the rules written
// separately from the decoder.

const QByteArray keyCodeMaximum = "65535";
const QByteArray modifiersMaximum = "18446744073709551615";

// Whether the member is a whole number from 0 to the maximum, and whether that number is the decoded one.
// The number is re-read from its own JSON text and compared as decimal digits; numbers in exponent form
// are compared in extended precision, which holds every 64-bit integer exactly.
bool memberAllows(const QJsonObject& object, const QString& name, const QByteArray& maximum, quint64 decoded) {
    if (!object.contains(name)) {
        return false;
    }
    const QJsonValue value = object.value(name);
    if (value.type() != QJsonValue::Double) {
        return false;
    }
    const QByteArray text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    const QByteArray number = text.mid(1, text.size() - 2);
    const bool onlyDigits =
        !number.isEmpty() && std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (onlyDigits) {
        const bool inRange = number.size() < maximum.size() || (number.size() == maximum.size() && number <= maximum);
        if (!inRange) {
            return false;
        }
        // Beyond 63 bits Qt holds a double and writes its shortest digits, which need not be the exact value.
        return number == QByteArray::number(decoded) ||
               (number.size() >= 19 && static_cast<long double>(value.toDouble()) == static_cast<long double>(decoded));
    }
    const long double real = value.toDouble();
    return std::floor(real) == real && real >= 0 && real <= maximum.toULongLong() &&
           real == static_cast<long double>(decoded);
}

bool rulesAccept(const QByteArray& json, const KeyCombination& decoded) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return false;
    }
    const QJsonObject object = document.object();
    return memberAllows(object, "keyCode", keyCodeMaximum, decoded.keyCode) &&
           memberAllows(object, "modifiersRawValue", modifiersMaximum, decoded.modifiersRawValue);
}

// Accepted values must satisfy the rules; a crash or a sanitizer report fails the program.
void expectNothingWrongAccepted(const QByteArray& json) {
    if (const std::optional<KeyCombination> spec = KeyCombination::fromJson(json)) {
        EXPECT_TRUE(rulesAccept(json, *spec)) << "accepted " << json.toStdString();
    }
}

// Builds member values whose readability is known from how they were made.
class Generator {
public:
    explicit Generator(unsigned seed) : m_random(seed) {}

    struct Member {
        std::string text;
        std::optional<quint64> value;
    };

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(m_random); }
    quint64 upTo(quint64 maximum) { return std::uniform_int_distribution<quint64>(0, maximum)(m_random); }

    Member keyCode() {
        const quint64 value = upTo(65535);
        switch (below(8)) {
        case 0:
            return {std::to_string(value), value};
        case 1:
            return {std::to_string(value) + ".0", value};
        case 2:
            return {std::to_string(value) + "00e-2", value};
        case 3:
            return {std::to_string(65536 + upTo(1'000'000'000'000)), std::nullopt};
        case 4:
            return {std::to_string(value) + (below(2) ? ".5" : ".25e0"), std::nullopt};
        default:
            return foreign(value);
        }
    }

    Member modifiers() {
        const quint64 value = upTo(std::numeric_limits<qint64>::max());
        switch (below(8)) {
        case 0:
            return {std::to_string(value), value};
        case 1: {
            const quint64 small = upTo(0x1E0000);
            return {std::to_string(small) + (below(2) ? ".0" : "e0"), small};
        }
        case 2: {
            // Beyond the signed range, only values a double carries exactly.
            const quint64 large = (upTo((1ull << 52) - 1) + (1ull << 52)) << 11;
            return {std::to_string(large), large};
        }
        case 3: {
            const char* tooLarge[] = {"18446744073709551616", "1e20", "36893488147419103232", "1.8446744073709552e19"};
            return {tooLarge[below(4)], std::nullopt};
        }
        case 4:
            return {std::to_string(upTo(1000)) + ".5", std::nullopt};
        default:
            return foreign(value);
        }
    }

    // A member name as written, now and then with escapes that read back as the same name.
    std::string name(const std::string& plain) {
        if (below(4) != 0) {
            return '"' + plain + '"';
        }
        std::string escaped = "\"";
        for (const char c : plain) {
            escaped += below(3) == 0 ? QStringLiteral("\\u%1").arg(int(c), 4, 16, QLatin1Char('0')).toStdString()
                                     : std::string(1, c);
        }
        return escaped + '"';
    }

    std::string space() {
        const char* spaces[] = {"", " ", "\n", "\t ", "\r\n  "};
        return spaces[below(5)];
    }

    std::string anyValue(int depth = 0) {
        switch (below(depth > 2 ? 5 : 7)) {
        case 0:
            return std::to_string(upTo(1'000'000)) + (below(2) ? "" : ".75");
        case 1:
            return "\"text\"";
        case 2:
            return "true";
        case 3:
            return "null";
        case 4:
            return "-" + std::to_string(upTo(1000));
        case 5:
            return '[' + anyValue(depth + 1) + ',' + anyValue(depth + 1) + ']';
        default:
            return "{\"inner\":" + anyValue(depth + 1) + '}';
        }
    }

    std::mt19937& random() { return m_random; }

private:
    Member foreign(quint64 value) {
        const std::string number = std::to_string(value);
        switch (below(7)) {
        case 0:
            return {'"' + number + '"', std::nullopt};
        case 1:
            return {"true", std::nullopt};
        case 2:
            return {"null", std::nullopt};
        case 3:
            return {'[' + number + ']', std::nullopt};
        case 4:
            return {"{\"value\":" + number + '}', std::nullopt};
        case 5:
            return {'-' + std::to_string(value + 1), std::nullopt};
        default:
            return {"-" + number + ".5", std::nullopt};
        }
    }

    std::mt19937 m_random;
};

struct GeneratedCase {
    QByteArray json;
    std::optional<KeyCombination> expected;
};

GeneratedCase generate(Generator& generator) {
    std::vector<std::string> members;
    std::optional<quint64> keyCode;
    std::optional<quint64> modifiers;
    if (generator.below(10) != 0) {
        const Generator::Member member = generator.keyCode();
        keyCode = member.value;
        members.push_back(generator.name("keyCode") + generator.space() + ':' + generator.space() + member.text);
    }
    if (generator.below(10) != 0) {
        const Generator::Member member = generator.modifiers();
        modifiers = member.value;
        members.push_back(generator.name("modifiersRawValue") + ':' + generator.space() + member.text);
    }
    const char* extraNames[] = {"keycode", "modifiers", "version", "", "KeyCode", "x"};
    for (int extra = generator.below(3); extra > 0; --extra) {
        members.push_back('"' + std::string(extraNames[generator.below(6)]) + "\":" + generator.anyValue());
    }
    std::shuffle(members.begin(), members.end(), generator.random());
    std::string json = generator.space() + '{';
    for (size_t index = 0; index < members.size(); ++index) {
        json += (index ? "," : "") + generator.space() + members[index];
    }
    json += generator.space() + '}' + generator.space();

    GeneratedCase result{QByteArray::fromStdString(json), std::nullopt};
    if (keyCode && modifiers) {
        result.expected = KeyCombination{static_cast<quint16>(*keyCode), *modifiers};
    }
    return result;
}

QByteArray mutate(QByteArray json, Generator& generator) {
    const char interesting[] = "0123456789-+.eE\"{}[]:, \\u\0\xff";
    for (int count = 1 + generator.below(4); count > 0; --count) {
        const int position = json.isEmpty() ? 0 : generator.below(static_cast<int>(json.size()));
        const char character = generator.below(4) == 0 ? static_cast<char>(generator.below(256))
                                                       : interesting[generator.below(sizeof interesting - 1)];
        switch (generator.below(5)) {
        case 0:
            if (!json.isEmpty()) {
                json[position] = character;
            }
            break;
        case 1:
            json.insert(position, character);
            break;
        case 2:
            json.remove(position, 1 + generator.below(4));
            break;
        case 3:
            json.insert(position,
                        json.mid(generator.below(static_cast<int>(json.size()) + 1), 1 + generator.below(12)));
            break;
        default:
            json.truncate(position);
            break;
        }
    }
    return json;
}

TEST(KeyCombinationFuzzTest, GeneratedObjectsAreReadExactlyWhenBothMembersAreValid) {
    Generator generator(20261208);
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        const GeneratedCase generated = generate(generator);
        const std::optional<KeyCombination> decoded = KeyCombination::fromJson(generated.json);
        ASSERT_EQ(decoded, generated.expected) << generated.json.toStdString();
        accepted += decoded.has_value();
    }
    // The generator must exercise both outcomes to mean anything.
    EXPECT_GT(accepted, 300);
    EXPECT_LT(accepted, 2700);
}

TEST(KeyCombinationFuzzTest, MutatedObjectsNeverPassWithAValueTheRulesRefuse) {
    Generator generator(4242);
    for (int round = 0; round < 3000; ++round) {
        expectNothingWrongAccepted(mutate(generate(generator).json, generator));
        if (HasFailure()) {
            return;
        }
    }
}

TEST(KeyCombinationFuzzTest, RandomBytesNeverPassWithAValueTheRulesRefuse) {
    Generator generator(7);
    for (int round = 0; round < 1500; ++round) {
        QByteArray bytes;
        for (int length = generator.below(48); length > 0; --length) {
            bytes.append(static_cast<char>(generator.below(256)));
        }
        if (round % 2 == 0) {
            bytes.prepend('{');
        }
        expectNothingWrongAccepted(bytes);
        if (HasFailure()) {
            return;
        }
    }
}

} // namespace
} // namespace sorvu
