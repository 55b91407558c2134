#pragma once
// A list of text lines kept in one block, each line followed by CR LF exactly as the lines
// go into the file. A document is some 3,200 short lines: a string apiece costs an
// allocation and a free per line, several times what writing the line costs, and the file's
// text would then have to be gathered from all of them. Here appending a line is a copy onto
// the end of the block, and the block is the file's text.
//
// Reading is that of a read-only sequence of std::string_view (size, [], at, front, back,
// iteration); a view stays valid until the list is next changed. Lines may hold any bytes,
// CR and LF included: they are found by their recorded ends, never by searching.

#include <compare>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class TLineList {
public:
    using value_type = std::string_view;
    using size_type = std::size_t;

    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;

        const_iterator() = default;
        std::string_view operator*() const { return (*List)[Index]; }
        std::string_view operator[](difference_type n) const {
            return (*List)[Index + static_cast<std::size_t>(n)];
        }
        const_iterator& operator++() {
            ++Index;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator old = *this;
            ++Index;
            return old;
        }
        const_iterator& operator--() {
            --Index;
            return *this;
        }
        const_iterator operator--(int) {
            const_iterator old = *this;
            --Index;
            return old;
        }
        const_iterator& operator+=(difference_type n) {
            Index += static_cast<std::size_t>(n);
            return *this;
        }
        const_iterator& operator-=(difference_type n) {
            Index -= static_cast<std::size_t>(n);
            return *this;
        }
        friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
        friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
        friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const const_iterator& a, const const_iterator& b) {
            return static_cast<difference_type>(a.Index) - static_cast<difference_type>(b.Index);
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) {
            return a.Index == b.Index;
        }
        friend auto operator<=>(const const_iterator& a, const const_iterator& b) {
            return a.Index <=> b.Index;
        }

    private:
        friend class TLineList;
        const_iterator(const TLineList* list, std::size_t index) : List(list), Index(index) {}
        const TLineList* List = nullptr;
        std::size_t Index = 0;
    };
    using iterator = const_iterator;

    TLineList() = default;
    TLineList(std::initializer_list<std::string_view> lines) {
        for (const std::string_view line : lines)
            push_back(line);
    }

    std::size_t size() const { return Ends.size(); }
    bool empty() const { return Ends.empty(); }
    std::string_view operator[](std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : Ends[i - 1];
        return {Block.data() + begin, Ends[i] - 2 - begin};
    }
    std::string_view at(std::size_t i) const {
        if (i >= size())
            throw std::out_of_range("TLineList::at");
        return (*this)[i];
    }
    std::string_view front() const { return (*this)[0]; }
    std::string_view back() const { return (*this)[size() - 1]; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    // Every line followed by CR LF: the lines as they are written to a file.
    std::string_view Text() const { return {Block.data(), Used}; }

    void push_back(std::string_view line) {
        char* p = BeginLine(line.size());
        if (!line.empty())
            std::memcpy(p, line.data(), line.size());
        EndLine(p + line.size());
    }
    void AddEmpty() { EndLine(BeginLine(0)); }

    // Builds the next line in place: BeginLine gives room for `room` bytes, the caller
    // writes the line there and passes its end to EndLine. Nothing else may change the list
    // in between.
    char* BeginLine(std::size_t room) {
        if (Block.size() - Used < room + 2)
            Grow(room + 2);
        return Block.data() + Used;
    }
    void EndLine(char* end) {
        end[0] = '\r';
        end[1] = '\n';
        Used = static_cast<std::size_t>(end + 2 - Block.data());
        Ends.push_back(static_cast<std::uint32_t>(Used));
    }

    // Appends `text` to the last line; on an empty list it becomes the first line.
    void AppendToLast(std::string_view text) {
        // The last line's line end is taken back; the text and a new one follow it.
        if (!empty()) {
            Ends.pop_back();
            Used -= 2;
        }
        push_back(text);
    }

    // Appends all lines of `other`, in order.
    void Append(const TLineList& other) {
        if (other.empty())
            return;
        if (Block.size() - Used < other.Used)
            Grow(other.Used);
        std::memcpy(Block.data() + Used, other.Block.data(), other.Used);
        const std::size_t base = Used;
        // No reserve of the exact size here: called for every row, it would defeat the
        // vector's doubling and copy the ends of the whole document each time.
        for (const std::uint32_t end : other.Ends)
            Ends.push_back(static_cast<std::uint32_t>(base + end));
        Used += other.Used;
    }

    // Empties the list, keeping its room.
    void clear() {
        Used = 0;
        Ends.clear();
    }
    // Makes room for `lines` lines of `bytes` bytes in all (their line ends included).
    void reserve(std::size_t lines, std::size_t bytes) {
        Ends.reserve(lines);
        if (Block.size() - Used < bytes)
            Grow(bytes);
    }

    friend bool operator==(const TLineList& a, const TLineList& b) {
        return a.Ends == b.Ends && a.Text() == b.Text();
    }
    friend bool operator==(const TLineList& a, const std::vector<std::string>& b) {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < b.size(); ++i)
            if (a[i] != b[i])
                return false;
        return true;
    }

private:
    void Grow(std::size_t more) {
        // The ends are 32-bit (half the memory of the list's index): no block may outgrow them.
        constexpr std::size_t kLimit = UINT32_MAX;
        if (more > kLimit - Used)
            throw std::length_error("TLineList: more than 4 GiB of lines");
        std::size_t size = Block.size() < 256 ? 256 : Block.size() * 2;
        while (size - Used < more)
            size *= 2;
        Block.resize(size < kLimit ? size : kLimit);
    }

    // Block.size() is the room; the lines take its first Used bytes.
    std::string Block;
    std::size_t Used = 0;
    std::vector<std::uint32_t> Ends; // offset just past each line's CR LF
};
