#include "history/history_lines.h"

#include <algorithm>
#include <cstring>

namespace {

char const* const EVENT_NAMES[] = {"sample", "suspend", "resume", "start", "exit"};

// Days since 1970-01-01 of a civil date, and back (H. Hinnant's algorithms).
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day)
{
    year -= month <= 2;
    int64_t const era = (year >= 0 ? year : year - 399) / 400;
    int64_t const yearOfEra = year - era * 400;
    int64_t const dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    int64_t const dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, int64_t* year, int64_t* month, int64_t* day)
{
    days += 719468;
    int64_t const era = (days >= 0 ? days : days - 146096) / 146097;
    int64_t const dayOfEra = days - era * 146097;
    int64_t const yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t const dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t const mp = (5 * dayOfYear + 2) / 153;
    *day = dayOfYear - (153 * mp + 2) / 5 + 1;
    *month = mp < 10 ? mp + 3 : mp - 9;
    *year = yearOfEra + era * 400 + (*month <= 2);
}

bool IsLeap(int64_t year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int64_t DaysInMonth(int64_t year, int64_t month)
{
    static int const days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : days[month - 1];
}

void PutDigits(char* out, int64_t value, int digits)
{
    for (int i = digits - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

bool Digits(char const* text, int count, int64_t* value)
{
    int64_t result = 0;
    for (int i = 0; i < count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        result = result * 10 + (text[i] - '0');
    }
    *value = result;
    return true;
}

// A field of a line: [begin, end) up to the next comma or the line's end.
struct Field {
    char const* begin;
    size_t length;
};

// Splits the line into exactly count fields.
bool SplitFields(char const* line, size_t length, Field* fields, int count)
{
    int found = 0;
    size_t start = 0;
    for (size_t i = 0; i <= length; ++i) {
        if (i < length && line[i] != ',')
            continue;
        if (found == count)
            return false;
        fields[found++] = Field{line + start, i - start};
        start = i + 1;
    }
    return found == count;
}

// A whole number of 1..digits digits, with an optional leading '-' where
// allowed; false for anything else.
bool WholeNumber(Field field, size_t maxDigits, bool sign, int64_t* value)
{
    bool negative = false;
    if (sign && field.length > 0 && field.begin[0] == '-') {
        negative = true;
        ++field.begin;
        --field.length;
    }
    if (field.length == 0 || field.length > maxDigits || !Digits(field.begin, static_cast<int>(field.length), value))
        return false;
    if (negative)
        *value = -*value;
    return true;
}

bool Flag(Field field, bool* value)
{
    if (field.length != 1 || (field.begin[0] != '0' && field.begin[0] != '1'))
        return false;
    *value = field.begin[0] == '1';
    return true;
}

size_t Append(char* out, size_t at, size_t capacity, char const* text, size_t length)
{
    if (at + length >= capacity)
        return capacity;
    std::memcpy(out + at, text, length);
    return at + length;
}

}  // namespace

void DateOf(int64_t time, int32_t* year, int32_t* month, int32_t* day)
{
    int64_t const days = time >= 0 ? time / HISTORY_DAY : -((-time + HISTORY_DAY - 1) / HISTORY_DAY);
    int64_t y, m, d;
    CivilFromDays(days, &y, &m, &d);
    *year = static_cast<int32_t>(y);
    *month = static_cast<int32_t>(m);
    *day = static_cast<int32_t>(d);
}

void FormatUtcTime(int64_t time, char* out)
{
    int64_t const days = time >= 0 ? time / HISTORY_DAY : -1;
    int64_t year, month, day;
    CivilFromDays(days, &year, &month, &day);
    if (time < 0 || year > 9999) {
        out[0] = '\0';
        return;
    }
    int64_t const second = time % HISTORY_DAY;
    std::memcpy(out, "0000-00-00T00:00:00Z", UTC_TEXT_SIZE);
    PutDigits(out, year, 4);
    PutDigits(out + 5, month, 2);
    PutDigits(out + 8, day, 2);
    PutDigits(out + 11, second / 3600, 2);
    PutDigits(out + 14, second / 60 % 60, 2);
    PutDigits(out + 17, second % 60, 2);
}

bool ParseUtcTime(char const* text, size_t length, int64_t* time)
{
    if (length != UTC_TEXT_SIZE - 1 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
        text[16] != ':' || text[19] != 'Z')
        return false;
    int64_t year, month, day, hour, minute, second;
    if (!Digits(text, 4, &year) || !Digits(text + 5, 2, &month) || !Digits(text + 8, 2, &day) ||
        !Digits(text + 11, 2, &hour) || !Digits(text + 14, 2, &minute) || !Digits(text + 17, 2, &second))
        return false;
    if (year < 1970 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour > 23 ||
        minute > 59 || second > 59)
        return false;
    *time = DaysFromCivil(year, month, day) * HISTORY_DAY + hour * 3600 + minute * 60 + second;
    return true;
}

size_t FormatHistoryLine(HistoryRecord const& record, char* out, size_t capacity)
{
    char time[UTC_TEXT_SIZE];
    FormatUtcTime(record.time, time);
    if (time[0] == '\0' || record.percent > 100)
        return 0;
    char number[16];
    size_t at = Append(out, 0, capacity, time, UTC_TEXT_SIZE - 1);
    size_t digits = 0;
    unsigned percent = record.percent;
    do {
        number[digits++] = static_cast<char>('0' + percent % 10);
        percent /= 10;
    } while (percent != 0);
    std::reverse(number, number + digits);
    at = Append(out, at, capacity, ",", 1);
    at = Append(out, at, capacity, number, digits);
    at = Append(out, at, capacity, record.ac ? ",1" : ",0", 2);
    at = Append(out, at, capacity, record.charging ? ",1," : ",0,", 3);
    if (record.rateMw != HISTORY_RATE_UNKNOWN) {
        int64_t rate = record.rateMw;
        bool const negative = rate < 0;
        if (negative)
            rate = -rate;
        digits = 0;
        do {
            number[digits++] = static_cast<char>('0' + rate % 10);
            rate /= 10;
        } while (rate != 0);
        if (negative)
            number[digits++] = '-';
        std::reverse(number, number + digits);
        at = Append(out, at, capacity, number, digits);
    }
    at = Append(out, at, capacity, ",", 1);
    char const* const name = EVENT_NAMES[static_cast<int>(record.event)];
    at = Append(out, at, capacity, name, std::strlen(name));
    at = Append(out, at, capacity, "\r\n", 2);
    if (at >= capacity) {
        if (capacity > 0)
            out[0] = '\0';
        return 0;
    }
    out[at] = '\0';
    return at;
}

bool ParseHistoryLine(char const* line, size_t length, HistoryRecord* record)
{
    if (length > 0 && line[length - 1] == '\r')
        --length;
    Field fields[6];
    if (length == 0 || length > HISTORY_LINE_SIZE || !SplitFields(line, length, fields, 6))
        return false;
    HistoryRecord read{};
    int64_t percent, rate = HISTORY_RATE_UNKNOWN;
    if (!ParseUtcTime(fields[0].begin, fields[0].length, &read.time) || !WholeNumber(fields[1], 3, false, &percent) ||
        percent > 100 || !Flag(fields[2], &read.ac) || !Flag(fields[3], &read.charging))
        return false;
    if (fields[4].length > 0 && (!WholeNumber(fields[4], 9, true, &rate)))
        return false;
    read.percent = static_cast<uint8_t>(percent);
    read.rateMw = static_cast<int32_t>(rate);
    for (int i = 0; i < 5; ++i) {
        size_t const nameLength = std::strlen(EVENT_NAMES[i]);
        if (fields[5].length == nameLength && std::memcmp(fields[5].begin, EVENT_NAMES[i], nameLength) == 0) {
            read.event = static_cast<HistoryEvent>(i);
            *record = read;
            return true;
        }
    }
    return false;
}

void ParseHistory(char const* text, size_t length, int64_t from, int64_t now, std::vector<HistoryRecord>& out)
{
    size_t const firstNew = out.size();
    size_t start = 0;
    while (start < length) {
        char const* const end = static_cast<char const*>(std::memchr(text + start, '\n', length - start));
        size_t const lineLength = end != nullptr ? static_cast<size_t>(end - (text + start)) : length - start;
        HistoryRecord record;
        if (ParseHistoryLine(text + start, lineLength, &record) && record.time >= from &&
            record.time <= now + HISTORY_FUTURE_SLACK)
            out.push_back(record);
        start += lineLength + 1;
    }
    auto const earlier = [](HistoryRecord const& a, HistoryRecord const& b) { return a.time < b.time; };
    if (!std::is_sorted(out.begin() + firstNew, out.end(), earlier))
        std::stable_sort(out.begin() + firstNew, out.end(), earlier);
}
