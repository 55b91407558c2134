// The registry door: what it asks of the registry, and how stored data of every kind read.
#include "settings/RegClass.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <map>

using namespace settings;
using namespace testing_support;

namespace {

// A registry in memory that records every open and close.
class TFakeRegistry final : public TRegistry {
public:
    struct TKey final : TRegistryKey {
        TFakeRegistry& Owner;
        explicit TKey(TFakeRegistry& owner) : Owner(owner) {}
        ~TKey() override { Owner.Log.push_back("close"); }
        std::optional<TRegValue> ReadValue(std::string_view name) override {
            Owner.Log.push_back("read " + std::string(name));
            auto it = Owner.Values.find(std::string(name));
            if (it == Owner.Values.end())
                return std::nullopt;
            return it->second;
        }
        std::optional<std::size_t> SetValues(const std::vector<TNamedValue>& values) override {
            std::string set = "set";
            for (const TNamedValue& v : values)
                set += " " + v.Name;
            Owner.Log.push_back(set);
            if (Owner.Refuse)
                return values.size() - 1;
            for (const TNamedValue& v : values)
                Owner.Values[v.Name] = v.Value;
            return std::nullopt;
        }
    };

    std::unique_ptr<TRegistryKey> OpenKey(std::string_view path, bool create) override {
        Log.push_back(std::string(create ? "create " : "open ") + std::string(path));
        if (!create && !Exists)
            return nullptr;
        Exists = true;
        return std::make_unique<TKey>(*this);
    }

    std::map<std::string, TRegValue> Values;
    std::vector<std::string> Log;
    bool Exists = true;
    bool Refuse = false;
};

class MyRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { SetRegistryForTesting(&Fake); }
    void TearDown() override { SetRegistryForTesting(nullptr); }
    TFakeRegistry Fake;
    TMyRegistry Reg;
};

template <class F> std::string ErrorOf(F f) {
    try {
        f();
    } catch (const TRegistryError& e) {
        return e.what();
    }
    return "(no error)";
}

// A load opens the key once, a batch is one write, a lone write stores at once, and a read
// after a write sees it.
TEST_F(MyRegistryTest, ReadsShareOneOpeningAndABatchIsOneWrite) {
    {
        TMyRegistry batch;
        std::int32_t n = 7;
        batch.ReadInteger("BlankLang", n);
        batch.ReadInteger("DateLang", n);
        batch.Begin();
        batch.WriteInteger("BlankLang", -1);
        batch.WriteBool("fNDS", true);
        EXPECT_TRUE(Fake.Values.empty()) << "a batch stored before its commit";
        batch.Commit();
        Reg.WriteString("strNDS", "x");
        batch.ReadInteger("BlankLang", n);
        EXPECT_EQ(n, -1);
    }
    EXPECT_EQ(Fake.Log, (std::vector<std::string>{
                            "open Software\\Morvane\\Vantrel", "read BlankLang", "read DateLang",
                            "close", "create Software\\Morvane\\Vantrel", "set BlankLang fNDS",
                            "close", "create Software\\Morvane\\Vantrel", "set strNDS", "close",
                            "open Software\\Morvane\\Vantrel", "read BlankLang", "close"}));
}

TEST_F(MyRegistryTest, WritesStoreTheRegistrysTypesAndBytes) {
    Reg.WriteBool("t", true);
    Reg.WriteBool("f", false);
    Reg.WriteInteger("n", -2);
    Reg.WriteString("s", W("ПДВ"));
    Reg.WriteString("e", "");
    EXPECT_EQ(Fake.Values["t"].Type, RegDword);
    EXPECT_EQ(Fake.Values["t"].Data, std::string("\1\0\0\0", 4));
    EXPECT_EQ(Fake.Values["f"].Data, std::string("\0\0\0\0", 4));
    EXPECT_EQ(Fake.Values["n"].Data, "\xfe\xff\xff\xff");
    EXPECT_EQ(Fake.Values["s"].Type, RegSz);
    EXPECT_EQ(Fake.Values["s"].Data, W("ПДВ") + '\0');
    EXPECT_EQ(Fake.Values["e"].Data, std::string(1, '\0'));
}

TEST_F(MyRegistryTest, AnAbsentKeyOrValueLeavesEverythingAlone) {
    for (bool exists : {false, true}) {
        Fake.Values = {{"other", {RegDword, "\1\0\0\0"}}};
        Fake.Exists = exists;
        bool b = true;
        std::int32_t n = 42;
        std::string s = "keep";
        Reg.ReadBool("v", b);
        Reg.ReadInteger("v", n);
        Reg.ReadString("v", s);
        EXPECT_TRUE(b);
        EXPECT_EQ(n, 42);
        EXPECT_EQ(s, "keep");
    }
}

TEST_F(MyRegistryTest, ARefusedWriteFails) {
    Fake.Refuse = true;
    EXPECT_EQ(ErrorOf([&] { Reg.WriteBool("BoldPlatName", true); }),
              "Failed to set data for 'BoldPlatName'");
    EXPECT_EQ(ErrorOf([&] { Reg.WriteString("strNDS", "x"); }), "Failed to set data for 'strNDS'");
    // A batch names the value refused, and stores none of them.
    Reg.Begin();
    Reg.WriteBool("fNDS", true);
    Reg.WriteInteger("DateLang", 1);
    EXPECT_EQ(ErrorOf([&] { Reg.Commit(); }), "Failed to set data for 'DateLang'");
    EXPECT_TRUE(Fake.Values.empty());
}

TEST_F(MyRegistryTest, StoredDataReadAsNumbers) {
    struct Case {
        TRegValue Stored;
        std::string Expected; // the number, or the error
    };
    const Case cases[] = {
        {{RegDword, std::string("\5\0\0\0", 4)}, "5"},
        {{RegDword, "\xff\xff\xff\xff"}, "-1"},
        {{RegDword, "\x01\x02"}, "513"},
        {{RegDword, ""}, "0"},
        {{RegDword, std::string("\1\0\0\0\0\0\0\0", 8)}, "Failed to get data for 'v'"},
        {{RegSz, std::string("1\0", 2)}, "Invalid data type for 'v'"},
        {{RegSz, std::string("a long text\0", 12)}, "Invalid data type for 'v'"},
        {{RegExpandSz, std::string("1\0", 2)}, "Invalid data type for 'v'"},
        {{RegBinary, std::string("\1\0\0\0", 4)}, "Invalid data type for 'v'"},
        {{5, std::string("\0\0\0\1", 4)}, "Invalid data type for 'v'"},
        {{RegMalformed, std::string("dword:1\0", 8)}, "Invalid data type for 'v'"},
    };
    for (const auto& c : cases) {
        Fake.Values = {{"v", c.Stored}};
        std::int32_t n = 99;
        std::string got = ErrorOf([&] { Reg.ReadInteger("v", n); });
        if (got == "(no error)")
            got = std::to_string(n);
        else
            EXPECT_EQ(n, 99) << "a failed read changed the field";
        EXPECT_EQ(got, c.Expected) << "type " << c.Stored.Type;

        // A flag reads the same way, non-zero being true.
        bool b = false;
        std::string flag = ErrorOf([&] { Reg.ReadBool("v", b); });
        if (flag == "(no error)")
            EXPECT_EQ(b, n != 0);
        else
            EXPECT_EQ(flag, c.Expected);
    }
}

TEST_F(MyRegistryTest, StoredDataReadAsText) {
    struct Case {
        TRegValue Stored;
        std::string Expected; // the text, or the error
    };
    const Case cases[] = {
        {{RegSz, W("ПДВ") + '\0'}, W("ПДВ")},
        {{RegSz, std::string(1, '\0')}, ""},
        {{RegSz, ""}, ""},
        {{RegSz, "no terminator"}, "no terminator"},
        {{RegSz, std::string("cut\0here\0", 9)}, "cut"},
        {{RegExpandSz, std::string("%TEMP%\\x\0", 9)}, "%TEMP%\\x"},
        {{RegBinary, ""}, ""},
        {{RegDword, ""}, ""},
        {{RegDword, std::string("\1\0\0\0", 4)}, "Invalid data type for 'v'"},
        {{RegBinary, "abc"}, "Invalid data type for 'v'"},
        {{RegMalformed, std::string("\"open\0", 6)}, "Invalid data type for 'v'"},
    };
    for (const auto& c : cases) {
        Fake.Values = {{"v", c.Stored}};
        std::string s = "before";
        std::string got = ErrorOf([&] { Reg.ReadString("v", s); });
        if (got == "(no error)")
            got = s;
        else
            EXPECT_EQ(s, "before");
        EXPECT_EQ(got, c.Expected) << "type " << c.Stored.Type;
    }
}

TEST_F(MyRegistryTest, ErrorsCarryTheValueNameAndAreRuntimeErrors) {
    Fake.Values = {{W("Дата"), {RegSz, std::string("x\0", 2)}}};
    std::int32_t n = 0;
    try {
        Reg.ReadInteger(W("Дата"), n);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(e.what(), "Invalid data type for '" + W("Дата") + "'");
    }
}

} // namespace
