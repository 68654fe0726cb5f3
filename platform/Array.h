// CArray: the program's own growing array, and CStringArray, the ordered list of strings
// that the installation sequences keep (for instance the INF copies made in one run).
#pragma once

#include <utility>

template <typename T> class CArray {
public:
    CArray() : m_items(nullptr), m_size(0), m_capacity(0) {}
    CArray(const CArray& other) : CArray() {
        for (int i = 0; i < other.m_size; ++i)
            Add(other.m_items[i]);
    }
    CArray& operator=(const CArray& other) {
        if (this != &other) {
            RemoveAll();
            for (int i = 0; i < other.m_size; ++i)
                Add(other.m_items[i]);
        }
        return *this;
    }
    ~CArray() { delete[] m_items; }

    int GetSize() const { return m_size; }
    bool IsEmpty() const { return m_size == 0; }
    const T& GetAt(int index) const { return m_items[index]; }
    T& ElementAt(int index) { return m_items[index]; }
    const T& operator[](int index) const { return m_items[index]; }
    T& operator[](int index) { return m_items[index]; }

    // Appends a copy of item; returns its index.
    int Add(const T& item) {
        if (m_size == m_capacity)
            Grow();
        m_items[m_size] = item;
        return m_size++;
    }

    void RemoveAll() {
        delete[] m_items;
        m_items = nullptr;
        m_size = 0;
        m_capacity = 0;
    }

private:
    void Grow() {
        int capacity = m_capacity ? m_capacity * 2 : 8;
        T* items = new T[capacity];
        for (int i = 0; i < m_size; ++i)
            items[i] = std::move(m_items[i]);
        delete[] m_items;
        m_items = items;
        m_capacity = capacity;
    }

    T* m_items;
    int m_size;
    int m_capacity;
};

#include "platform/String.h"

class CStringArray : public CArray<CString> {};
