// CString: the program's own growing byte string.
//
// The setup program links no compiled part of the C++ library, so paths, registry names and
// file contents are held in this small type instead of fixed buffers. It is byte-exact: it
// keeps a length of its own, so it can hold file contents with NUL bytes, and it always keeps
// a terminating NUL after the last byte so that it can be handed to a C-style interface.
#pragma once

class CString {
public:
    CString();
    CString(const char* text);
    CString(const char* bytes, int length);
    CString(const CString& other);
    CString(CString&& other) noexcept;
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(const char* text);

    int GetLength() const { return m_length; }
    bool IsEmpty() const { return m_length == 0; }
    void Empty();

    operator const char*() const { return m_data ? m_data : ""; }
    const char* GetString() const { return m_data ? m_data : ""; }
    char operator[](int index) const { return m_data[index]; }
    char GetAt(int index) const { return m_data[index]; }
    void SetAt(int index, char ch) { m_data[index] = ch; }
    // The last byte; 0 for an empty string.
    char Last() const { return m_length ? m_data[m_length - 1] : 0; }

    CString& operator+=(const CString& other);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);
    void Append(const char* bytes, int length);

    CString Left(int count) const;
    CString Mid(int start) const;
    CString Mid(int start, int count) const;

    // ASCII letters a to z become capitals; every other byte stays as it is.
    void MakeUpper();

    // Index of the first occurrence of sub at or after start, or -1.
    int Find(const char* sub, int start = 0) const;
    int Find(char ch, int start = 0) const;

    // Formats with the directives %s (const char*), %d (int), %u (unsigned) and %%.
    void Format(const char* format, ...);

    // Raw access for code that fills the string from an interface taking a buffer:
    // GetBuffer gives room for at least minLength bytes and a NUL, ReleaseBuffer sets the
    // length (-1: up to the first NUL).
    char* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

private:
    void Reserve(int capacity);

    char* m_data;
    int m_length;
    int m_capacity;
};

CString operator+(const CString& left, const CString& right);
CString operator+(const CString& left, const char* right);
CString operator+(const char* left, const CString& right);

// Byte-for-byte equality of whole strings (lengths included).
bool operator==(const CString& left, const CString& right);
bool operator==(const CString& left, const char* right);
inline bool operator==(const char* left, const CString& right) { return right == left; }
inline bool operator!=(const CString& left, const CString& right) { return !(left == right); }
inline bool operator!=(const CString& left, const char* right) { return !(left == right); }

// Small byte helpers that the program uses instead of the C library.
int StringLength(const char* text);
void CopyBytes(void* destination, const void* source, int count);
