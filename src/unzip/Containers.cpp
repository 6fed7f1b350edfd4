#include "unzip/Containers.h"

#include "unzip/Errors.h"
#include "unzip/LittleEndian.h"

#include <algorithm>

namespace qz {

std::uint8_t ObjectReader::u8() {
    return bytes(1)[0];
}

std::uint32_t ObjectReader::u32() {
    return Get32(bytes(4).data());
}

std::string ObjectReader::shortString() {
    std::size_t length = u8();
    auto b = bytes(length);
    return std::string(b.begin(), b.end());
}

std::span<const std::uint8_t> ObjectReader::bytes(std::size_t count) {
    if (count > bytes_.size() - at_)
        throw EUnzipError("Stream read error");
    auto out = bytes_.subspan(at_, count);
    at_ += count;
    return out;
}

void ObjectWriter::u32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void ObjectWriter::shortString(const std::string& s) {
    std::size_t length = std::min<std::size_t>(s.size(), 63);
    out.push_back(static_cast<std::uint8_t>(length));
    out.insert(out.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(length));
}

void ClassRegistry::add(const std::string& className, StreamableClass streamable) {
    classes_[className] = std::move(streamable);
}

const StreamableClass* ClassRegistry::find(const std::string& className) const {
    auto it = classes_.find(className);
    return it == classes_.end() ? nullptr : &it->second;
}

TObjectList::~TObjectList() {
    Clear();
}

void TObjectList::CheckIndex(int index, int limit) const {
    if (index < 0 || index > limit)
        throw EListError(formatMessage("Index %d is out of range", static_cast<long long>(index)));
}

void TObjectList::SetCapacity(int capacity) {
    if (capacity > MaxListSize || capacity < Count())
        throw EListError(
            formatMessage("List capacity out of bounds (%d)", static_cast<long long>(capacity)));
    capacity_ = capacity;
    items_.reserve(static_cast<std::size_t>(capacity));
}

void TObjectList::Grow() {
    // The capacity follows the list's own rule; the storage behind it grows
    // geometrically, so that filling a long list is not quadratic.
    int delta = capacity_ < 5 ? 4 : capacity_ <= 8 ? 8 : 16;
    capacity_ = std::min(capacity_ + delta, MaxListSize);
}

TObject* TObjectList::Items(int index) const {
    CheckIndex(index, Count() - 1);
    return items_[static_cast<std::size_t>(index)];
}

void TObjectList::Put(int index, TObject* object) {
    CheckIndex(index, Count() - 1);
    TObject*& slot = items_[static_cast<std::size_t>(index)];
    if (owns_ && slot != object)
        delete slot;
    slot = object;
}

int TObjectList::Add(TObject* object) {
    InsertItem(Count(), object);
    return Count() - 1;
}

void TObjectList::Insert(int index, TObject* object) {
    InsertItem(index, object);
}

void TObjectList::InsertItem(int index, TObject* object) {
    CheckIndex(index, Count());
    if (Count() >= MaxListSize)
        throw EListError(
            formatMessage("List count out of bounds (%d)", static_cast<long long>(Count() + 1)));
    if (Count() == capacity_)
        Grow();
    items_.insert(items_.begin() + index, object);
}

void TObjectList::Delete(int index) {
    CheckIndex(index, Count() - 1);
    TObject* object = items_[static_cast<std::size_t>(index)];
    items_.erase(items_.begin() + index);
    if (owns_)
        delete object;
}

void TObjectList::Clear() {
    if (owns_)
        for (TObject* object : items_)
            delete object;
    items_.clear();
}

int TObjectList::IndexOf(const TObject* object) const {
    auto it = std::find(items_.begin(), items_.end(), object);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

int TObjectList::IndexOfOrRaise(const TObject* object) const {
    int index = IndexOf(object);
    if (index < 0)
        throw EListError(formatMessage("tObject %s not in item list",
                                       object ? object->ClassName() : std::string("nil")));
    return index;
}

TObject* TObjectList::First() const {
    return items_.empty() ? nullptr : items_.front();
}
TObject* TObjectList::Last() const {
    return items_.empty() ? nullptr : items_.back();
}

TObject* TObjectList::Before(const TObject* object) const {
    int index = IndexOfOrRaise(object);
    return index > 0 ? items_[static_cast<std::size_t>(index - 1)] : nullptr;
}

TObject* TObjectList::After(const TObject* object) const {
    int index = IndexOfOrRaise(object);
    return index + 1 < Count() ? items_[static_cast<std::size_t>(index + 1)] : nullptr;
}

void TObjectList::WriteContainer(ObjectWriter& out, const ClassRegistry& classes) const {
    out.u8(owns_ ? 1 : 0);
    out.u32(static_cast<std::uint32_t>(items_.size()));
    for (const TObject* object : items_) {
        if (!object)
            throw EUnzipError("Nil Source Class!");
        const StreamableClass* streamable = classes.find(object->ClassName());
        if (!streamable)
            throw EUnzipError(
                formatMessage("Source Class <%s> not registered", object->ClassName()));
        out.shortString(object->ClassName());
        streamable->write(*object, out);
    }
}

void TObjectList::ReadContainer(ObjectReader& in, const ClassRegistry& classes) {
    Clear();
    owns_ = in.u8() != 0;
    std::uint32_t count = in.u32();
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string name = in.shortString();
        const StreamableClass* streamable = classes.find(name);
        if (!streamable)
            throw EUnzipError(formatMessage("Class <%s> not registered", name));
        TObject* object = streamable->create();
        try {
            streamable->read(*object, in);
            if (Add(object) < 0)
                delete object;
        } catch (...) {
            delete object;
            throw;
        }
    }
}

bool TSortedObjectList::Find(const TObject* object, int& index) const {
    int low = 0;
    int high = Count();
    while (low < high) {
        int mid = low + (high - low) / 2;
        if (Compare(*Items(mid), *object) < 0)
            low = mid + 1;
        else
            high = mid;
    }
    index = low;
    return low < Count() && Compare(*Items(low), *object) == 0;
}

int TSortedObjectList::Add(TObject* object) {
    int index;
    if (Find(object, index)) {
        if (duplicates_ == TDuplicates::dupIgnore)
            return -1;
        if (duplicates_ == TDuplicates::dupError)
            throw EListError("Duplicate Object index");
    }
    InsertItem(index, object);
    return index;
}

void TSortedObjectList::Put(int, TObject*) {
    throw EListError("Cannot <Put> an Object in a sorted list!");
}

void TSortedObjectList::WriteContainer(ObjectWriter& out, const ClassRegistry& classes) const {
    out.u8(static_cast<std::uint8_t>(duplicates_));
    TObjectList::WriteContainer(out, classes);
}

void TSortedObjectList::ReadContainer(ObjectReader& in, const ClassRegistry& classes) {
    std::uint8_t policy = in.u8();
    if (policy > static_cast<std::uint8_t>(TDuplicates::dupError))
        throw EUnzipError("Stream read error");
    duplicates_ = static_cast<TDuplicates>(policy);
    TObjectList::ReadContainer(in, classes);
}

} // namespace qz
