#include "platform/String.h"

#include <stdarg.h>

int StringLength(const char* text) {
    int length = 0;
    if (text)
        while (text[length])
            ++length;
    return length;
}

void CopyBytes(void* destination, const void* source, int count) {
    char* to = static_cast<char*>(destination);
    const char* from = static_cast<const char*>(source);
    for (int i = 0; i < count; ++i)
        to[i] = from[i];
}

CString::CString() : m_data(nullptr), m_length(0), m_capacity(0) {}

CString::CString(const char* text) : CString() { Append(text, StringLength(text)); }

CString::CString(const char* bytes, int length) : CString() { Append(bytes, length); }

CString::CString(const CString& other) : CString() { Append(other.m_data, other.m_length); }

CString::CString(CString&& other) noexcept
    : m_data(other.m_data), m_length(other.m_length), m_capacity(other.m_capacity) {
    other.m_data = nullptr;
    other.m_length = 0;
    other.m_capacity = 0;
}

CString::~CString() { delete[] m_data; }

CString& CString::operator=(const CString& other) {
    if (this != &other) {
        m_length = 0;
        Append(other.m_data, other.m_length);
    }
    return *this;
}

CString& CString::operator=(CString&& other) noexcept {
    if (this != &other) {
        delete[] m_data;
        m_data = other.m_data;
        m_length = other.m_length;
        m_capacity = other.m_capacity;
        other.m_data = nullptr;
        other.m_length = 0;
        other.m_capacity = 0;
    }
    return *this;
}

CString& CString::operator=(const char* text) {
    // text may point into this string: copy it out before the buffer is reused.
    CString copy(text);
    return *this = static_cast<CString&&>(copy);
}

void CString::Empty() {
    m_length = 0;
    if (m_data)
        m_data[0] = 0;
}

void CString::Reserve(int capacity) {
    if (capacity <= m_capacity)
        return;
    int grown = m_capacity ? m_capacity * 2 : 16;
    if (grown < capacity)
        grown = capacity;
    char* data = new char[grown + 1];
    CopyBytes(data, m_data, m_length);
    data[m_length] = 0;
    delete[] m_data;
    m_data = data;
    m_capacity = grown;
}

void CString::Append(const char* bytes, int length) {
    if (length <= 0)
        return;
    if (m_data && bytes >= m_data && bytes < m_data + m_capacity) {
        CString copy(bytes, length); // appending a part of this string to itself
        Append(copy.m_data, copy.m_length);
        return;
    }
    Reserve(m_length + length);
    CopyBytes(m_data + m_length, bytes, length);
    m_length += length;
    m_data[m_length] = 0;
}

CString& CString::operator+=(const CString& other) {
    Append(other.m_data, other.m_length);
    return *this;
}

CString& CString::operator+=(const char* text) {
    Append(text, StringLength(text));
    return *this;
}

CString& CString::operator+=(char ch) {
    Append(&ch, 1);
    return *this;
}

CString CString::Left(int count) const {
    if (count > m_length)
        count = m_length;
    return CString(m_data, count < 0 ? 0 : count);
}

CString CString::Mid(int start) const { return Mid(start, m_length - start); }

CString CString::Mid(int start, int count) const {
    if (start < 0)
        start = 0;
    if (start > m_length)
        start = m_length;
    if (count > m_length - start)
        count = m_length - start;
    return CString(m_data + start, count < 0 ? 0 : count);
}

void CString::MakeUpper() {
    for (int i = 0; i < m_length; ++i)
        if (m_data[i] >= 'a' && m_data[i] <= 'z')
            m_data[i] = static_cast<char>(m_data[i] - 'a' + 'A');
}

int CString::Find(const char* sub, int start) const {
    int subLength = StringLength(sub);
    for (int i = start < 0 ? 0 : start; i + subLength <= m_length; ++i) {
        int j = 0;
        while (j < subLength && m_data[i + j] == sub[j])
            ++j;
        if (j == subLength)
            return i;
    }
    return -1;
}

int CString::Find(char ch, int start) const {
    for (int i = start < 0 ? 0 : start; i < m_length; ++i)
        if (m_data[i] == ch)
            return i;
    return -1;
}

static void AppendUnsigned(CString& out, unsigned long long value) {
    char digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value);
    while (count)
        out += digits[--count];
}

void CString::Format(const char* format, ...) {
    CString out;
    va_list args;
    va_start(args, format);
    for (const char* p = format; *p; ++p) {
        if (*p != '%' || !p[1]) {
            out += *p;
            continue;
        }
        ++p;
        if (*p == 's') {
            out += va_arg(args, const char*);
        } else if (*p == 'd') {
            int value = va_arg(args, int);
            if (value < 0) {
                out += '-';
                AppendUnsigned(out, 0ull - static_cast<unsigned long long>(value));
            } else {
                AppendUnsigned(out, static_cast<unsigned long long>(value));
            }
        } else if (*p == 'u') {
            AppendUnsigned(out, va_arg(args, unsigned));
        } else {
            out += *p; // "%%" and anything unknown stand for themselves
        }
    }
    va_end(args);
    *this = static_cast<CString&&>(out);
}

char* CString::GetBuffer(int minLength) {
    Reserve(minLength < m_length ? m_length : minLength);
    return m_data;
}

void CString::ReleaseBuffer(int newLength) {
    if (!m_data)
        return;
    if (newLength < 0)
        newLength = StringLength(m_data);
    if (newLength > m_capacity)
        newLength = m_capacity;
    m_length = newLength;
    m_data[m_length] = 0;
}

CString operator+(const CString& left, const CString& right) {
    CString result(left);
    result += right;
    return result;
}

CString operator+(const CString& left, const char* right) {
    CString result(left);
    result += right;
    return result;
}

CString operator+(const char* left, const CString& right) {
    CString result(left);
    result += right;
    return result;
}

bool operator==(const CString& left, const CString& right) {
    if (left.GetLength() != right.GetLength())
        return false;
    const char* a = left;
    const char* b = right;
    for (int i = 0; i < left.GetLength(); ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

bool operator==(const CString& left, const char* right) {
    int length = StringLength(right);
    if (left.GetLength() != length)
        return false;
    const char* a = left;
    for (int i = 0; i < length; ++i)
        if (a[i] != right[i])
            return false;
    return true;
}
