// Object containers of the reader: a list of object references that may own
// them, and a list kept sorted by a comparison of two items. Both can write
// and read their items as "ObjectContainer" data through a registry of
// streamable classes.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace qz {

class TObject {
public:
    virtual ~TObject() = default;
    virtual std::string ClassName() const = 0;
};

// Data of streamed containers: little-endian numbers, length-prefixed names.
class ObjectReader {
public:
    explicit ObjectReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    // Each raises EUnzipError "Stream read error" when the data ends early.
    std::uint8_t u8();
    std::uint32_t u32();
    std::string shortString();
    std::span<const std::uint8_t> bytes(std::size_t count);
    bool atEnd() const { return at_ == bytes_.size(); }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

class ObjectWriter {
public:
    void u8(std::uint8_t v) { out.push_back(v); }
    void u32(std::uint32_t v);
    // At most 63 characters are kept.
    void shortString(const std::string& s);
    std::vector<std::uint8_t> out;
};

// How objects of one class are created, written and read.
struct StreamableClass {
    std::function<TObject*()> create;
    std::function<void(const TObject&, ObjectWriter&)> write;
    std::function<void(TObject&, ObjectReader&)> read;
};

class ClassRegistry {
public:
    void add(const std::string& className, StreamableClass streamable);
    const StreamableClass* find(const std::string& className) const;

private:
    std::map<std::string, StreamableClass> classes_;
};

class TObjectList {
public:
    static constexpr int MaxListSize = 65534;

    TObjectList() = default;
    virtual ~TObjectList();
    TObjectList(const TObjectList&) = delete;
    TObjectList& operator=(const TObjectList&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    int Capacity() const { return capacity_; }
    void SetCapacity(int capacity);
    // An owning list frees the objects it removes and holds when destroyed.
    bool OwnsObjects() const { return owns_; }
    void SetOwnsObjects(bool owns) { owns_ = owns; }

    TObject* Items(int index) const;
    virtual void Put(int index, TObject* object);
    // The index of the added object; -1 when it was not added (the caller
    // keeps it then).
    virtual int Add(TObject* object);
    void Insert(int index, TObject* object);
    void Delete(int index);
    void Clear();
    int IndexOf(const TObject* object) const;

    // Nullptr when the list is empty.
    TObject* First() const;
    TObject* Last() const;
    // The neighbours of an object in the list (nullptr at either end); an
    // object that is not in the list raises EListError.
    TObject* Before(const TObject* object) const;
    TObject* After(const TObject* object) const;

    // "ObjectContainer" data; only stored when the list is not empty.
    bool HasContainerData() const { return !items_.empty(); }
    virtual void WriteContainer(ObjectWriter& out, const ClassRegistry& classes) const;
    virtual void ReadContainer(ObjectReader& in, const ClassRegistry& classes);

protected:
    void InsertItem(int index, TObject* object);
    void CheckIndex(int index, int limit) const;

private:
    void Grow();
    int IndexOfOrRaise(const TObject* object) const;

    std::vector<TObject*> items_;
    int capacity_ = 0;
    bool owns_ = true;
};

enum class TDuplicates : std::uint8_t { dupIgnore = 0, dupAccept = 1, dupError = 2 };

class TSortedObjectList : public TObjectList {
public:
    explicit TSortedObjectList(TDuplicates duplicates) : duplicates_(duplicates) {}

    TDuplicates Duplicates() const { return duplicates_; }
    // Adds at its place in the order; -1 when an equal item is present and
    // duplicates are ignored.
    int Add(TObject* object) override;
    // The index where the object belongs (the first of equal items) and
    // whether an item comparing equal is present.
    bool Find(const TObject* object, int& index) const;
    void Put(int index, TObject* object) override;

    void WriteContainer(ObjectWriter& out, const ClassRegistry& classes) const override;
    void ReadContainer(ObjectReader& in, const ClassRegistry& classes) override;

protected:
    // Compares an item already in the list with a new one: a positive result
    // puts the new one before it.
    virtual int Compare(const TObject& existing, const TObject& added) const = 0;

private:
    TDuplicates duplicates_;
};

} // namespace qz
