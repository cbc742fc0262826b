#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Texts of numbers, always in the Hungarian convention whatever the machine's
// locale: decimal comma, U+00A0 between digit groups when writing.
namespace number_text {

// What a field holds. Forints are whole amounts, where Hungarians also
// write a dot between the groups of three digits ("1.200.000"); in a rate a
// dot is a decimal point typed by habit ("18.5").
enum class Kind { Number, Forints };

// The whole text as a Hungarian number: surrounding blanks, an optional sign,
// digits with group separators (any blank: U+0020, U+00A0, U+202F …; in
// forints also a dot followed by exactly three digits) among them, an
// optional fraction after the comma and an optional exponent.
// In forints a trailing "Ft" or "HUF" (any case, a blank before it or not)
// is read and dropped.
std::optional<double> read_number(QStringView text, Kind kind = Kind::Number);

// The text without a trailing "Ft" or "HUF", and without surrounding blanks.
QStringView without_currency(QStringView text);

// A Hungarian number if the text is one, else the number at its start read
// with "." as decimal point (also &H hexadecimal and &O octal), else 0.
double to_amount(QStringView text, Kind kind = Kind::Number);

// Round half to even into a whole number; nothing when out of range.
std::optional<qint32> whole32(double value);
std::optional<qint16> whole16(double value);

// The whole text as a Hungarian number, rounded half to even into 32 bits;
// nothing when it is no number or out of range.
std::optional<qint32> read_whole32(QStringView text, Kind kind = Kind::Number);

// Grouped with exactly `decimals` decimals, halves rounded away from zero.
QString grouped(double value, int decimals);

// No grouping, decimal comma, as few decimals as the value needs.
QString plain(double value);

// The text without its group blanks: "55 500" is "55500".
QString bare_digits(QStringView text);

// A year in the accusative, with the suffix its spoken last word takes:
// "2026-ot", "2027-et", "2030-at".
QString year_accusative(int year);

// The month's name, "január" for 1.
QString month_name(int month);

} // namespace number_text
