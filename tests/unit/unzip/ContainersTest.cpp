#include "unzip/Containers.h"
#include "unzip/Errors.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

// An object that counts how many of its kind are alive.
class TCounted : public TObject {
public:
    explicit TCounted(int v = 0, int* alive = nullptr) : value(v), alive_(alive) {
        if (alive_)
            ++*alive_;
    }
    ~TCounted() override {
        if (alive_)
            --*alive_;
    }
    std::string ClassName() const override { return "TCounted"; }
    int value;
    int tag = 0; // not compared: tells equal items apart

private:
    int* alive_;
};

class TOther : public TObject {
public:
    std::string ClassName() const override { return "TOther"; }
};

class CountedList : public TSortedObjectList {
public:
    using TSortedObjectList::TSortedObjectList;
    int ValueAt(int i) const { return static_cast<TCounted*>(Items(i))->value; }
    int TagAt(int i) const { return static_cast<TCounted*>(Items(i))->tag; }

protected:
    int Compare(const TObject& existing, const TObject& added) const override {
        return static_cast<const TCounted&>(existing).value -
               static_cast<const TCounted&>(added).value;
    }
};

class TPlainList : public TObjectList {};

TEST(ObjectList, GrowsByFourThenEightThenSixteen) {
    TPlainList list;
    list.SetOwnsObjects(false);
    TCounted item;
    std::vector<int> capacities;
    for (int i = 0; i < 33; ++i) {
        list.Add(&item);
        if (capacities.empty() || capacities.back() != list.Capacity())
            capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{4, 8, 16, 32, 48}));
}

TEST(ObjectList, CountAndCapacityStopAtTheLimit) {
    TPlainList list;
    list.SetOwnsObjects(false);
    TCounted item;
    EXPECT_THROW(list.SetCapacity(65535), EListError);
    for (int i = 0; i < TObjectList::MaxListSize; ++i)
        list.Add(&item);
    EXPECT_THROW(list.Add(&item), EListError);
    EXPECT_EQ(list.Count(), 65534);
}

TEST(ObjectList, IndexesOutsideTheListAreErrors) {
    TPlainList list;
    list.Add(new TCounted(1));
    struct Case {
        const char* what;
        std::function<void()> call;
    } cases[] = {
        {"Items(-1)", [&] { list.Items(-1); }},    {"Items(1)", [&] { list.Items(1); }},
        {"Delete(1)", [&] { list.Delete(1); }},    {"Insert(2)", [&] { list.Insert(2, nullptr); }},
        {"Put(5)", [&] { list.Put(5, nullptr); }},
    };
    for (const auto& c : cases)
        EXPECT_THROW(c.call(), EListError) << c.what;
    try {
        list.Items(3);
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "Index 3 is out of range");
    }
}

TEST(ObjectList, OwningListFreesWhatItRemovesOrHolds) {
    int alive = 0;
    {
        TPlainList list;
        for (int i = 0; i < 3; ++i)
            list.Add(new TCounted(i, &alive));
        list.Delete(0);
        EXPECT_EQ(alive, 2);
        list.Put(0, new TCounted(9, &alive));
        EXPECT_EQ(alive, 2);
    }
    EXPECT_EQ(alive, 0);

    TCounted kept(0, &alive);
    {
        TPlainList view;
        view.SetOwnsObjects(false);
        view.Add(&kept);
    }
    EXPECT_EQ(alive, 1);
}

TEST(ObjectList, NeighboursAndTheirErrors) {
    TPlainList list;
    auto* a = new TCounted(1);
    auto* b = new TCounted(2);
    EXPECT_EQ(list.First(), nullptr);
    list.Add(a);
    list.Add(b);
    EXPECT_EQ(list.First(), a);
    EXPECT_EQ(list.Last(), b);
    EXPECT_EQ(list.Before(b), a);
    EXPECT_EQ(list.Before(a), nullptr);
    EXPECT_EQ(list.After(a), b);
    EXPECT_EQ(list.After(b), nullptr);
    TCounted stranger;
    try {
        list.After(&stranger);
        FAIL() << "no error";
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "tObject TCounted not in item list");
    }
}

TEST(SortedObjectList, DuplicatePolicies) {
    int alive = 0;
    CountedList ignore(TDuplicates::dupIgnore);
    CountedList accept(TDuplicates::dupAccept);
    CountedList error(TDuplicates::dupError);
    for (int v : {5, 1, 3}) {
        ignore.Add(new TCounted(v, &alive));
        accept.Add(new TCounted(v, &alive));
        error.Add(new TCounted(v, &alive));
    }
    TCounted again(3, &alive);
    EXPECT_EQ(ignore.Add(&again), -1);
    EXPECT_EQ(ignore.Count(), 3);

    auto* second = new TCounted(3, &alive);
    second->tag = 1;
    EXPECT_EQ(accept.Add(second), 1); // before the equal item
    EXPECT_EQ(accept.TagAt(1), 1);
    EXPECT_EQ(accept.TagAt(2), 0);

    try {
        error.Add(&again);
        FAIL() << "no error";
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "Duplicate Object index");
    }
    std::vector<int> values;
    for (int i = 0; i < error.Count(); ++i)
        values.push_back(error.ValueAt(i));
    EXPECT_EQ(values, (std::vector<int>{1, 3, 5}));
}

TEST(SortedObjectList, FindReportsPlaceAndPresence) {
    CountedList list(TDuplicates::dupAccept);
    for (int v : {10, 20, 20, 30})
        list.Add(new TCounted(v));
    struct Case {
        int value;
        int index;
        bool present;
    } cases[] = {{5, 0, false}, {10, 0, true}, {20, 1, true}, {25, 3, false}, {40, 4, false}};
    for (const auto& c : cases) {
        TCounted probe(c.value);
        int index = -1;
        EXPECT_EQ(list.Find(&probe, index), c.present) << c.value;
        EXPECT_EQ(index, c.index) << c.value;
    }
    try {
        list.Put(0, nullptr);
        FAIL() << "no error";
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "Cannot <Put> an Object in a sorted list!");
    }
}

ClassRegistry CountedClasses() {
    ClassRegistry classes;
    classes.add("TCounted",
                {[] { return new TCounted; },
                 [](const TObject& o, ObjectWriter& out) {
                     out.u32(static_cast<std::uint32_t>(static_cast<const TCounted&>(o).value));
                 },
                 [](TObject& o, ObjectReader& in) {
                     static_cast<TCounted&>(o).value = static_cast<int>(in.u32());
                 }});
    return classes;
}

TEST(ObjectContainerData, RoundTripsThroughTheRegistry) {
    ClassRegistry classes = CountedClasses();
    CountedList list(TDuplicates::dupError);
    EXPECT_FALSE(list.HasContainerData());
    for (int v : {7, 2, 9})
        list.Add(new TCounted(v));
    ObjectWriter out;
    list.WriteContainer(out, classes);
    // policy, owning flag, count, then per object its class name and data
    ASSERT_GE(out.out.size(), 6u);
    EXPECT_EQ(out.out[0], 2);
    EXPECT_EQ(out.out[1], 1);
    EXPECT_EQ(out.out[2], 3);
    EXPECT_EQ(out.out[6], 8); // strlen("TCounted")

    CountedList copy(TDuplicates::dupIgnore);
    ObjectReader in(out.out);
    copy.ReadContainer(in, classes);
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(copy.Duplicates(), TDuplicates::dupError);
    ASSERT_EQ(copy.Count(), 3);
    EXPECT_EQ(copy.ValueAt(0), 2);
    EXPECT_EQ(copy.ValueAt(2), 9);
}

TEST(ObjectContainerData, UnknownClassesMissingObjectsAndShortData) {
    ClassRegistry classes = CountedClasses();
    auto message = [](const std::function<void()>& call) {
        try {
            call();
        } catch (const EUnzipError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    TPlainList others;
    others.Add(new TOther);
    ObjectWriter out;
    EXPECT_EQ(message([&] { others.WriteContainer(out, classes); }),
              "Source Class <TOther> not registered");
    TPlainList holes;
    holes.SetOwnsObjects(false);
    holes.Add(nullptr);
    EXPECT_EQ(message([&] { holes.WriteContainer(out, classes); }), "Nil Source Class!");

    ObjectWriter data;
    data.u8(1);
    data.u32(1);
    data.shortString("TOther");
    ObjectReader unknown(data.out);
    TPlainList target;
    EXPECT_EQ(message([&] { target.ReadContainer(unknown, classes); }),
              "Class <TOther> not registered");

    // A count far beyond the data ends in an error, not in a long loop.
    ObjectWriter lying;
    lying.u8(1);
    lying.u32(0xFFFFFFFF);
    ObjectReader short_(lying.out);
    EXPECT_EQ(message([&] { target.ReadContainer(short_, classes); }), "Stream read error");
}

} // namespace
} // namespace qz
