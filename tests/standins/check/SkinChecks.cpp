// The skin engine stand-in, created the way Velorix creates the engine.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>
#include <oleauto.h>

#include <vector>

#include "tests/standins/StandIns.h"
#include "tests/standins/check/CheckFolder.h"
#include "tests/standins/common/ModuleFiles.h"
#include "tests/standins/common/StandInPaths.h"
#include "tests/standins/logger/LoggerSupport.h"
#include "tests/standins/skin/SkinRegistration.h"

namespace standins {
namespace {

class DispatchPointer {
public:
    ~DispatchPointer()
    {
        if (m_p)
            m_p->Release();
    }
    IDispatch** Out() { return &m_p; }
    IDispatch* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    IDispatch* m_p = nullptr;
};

class SkinEngineCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.CopyIn(StandInPath(kSkinDll), "SkinStandIn.dll"));
        ASSERT_TRUE(RegisterSkinServer(m_folder.File("SkinStandIn.dll")));
        CoInitialize(NULL);
    }
    void TearDown() override
    {
        CoUninitialize();
        UnregisterSkinServer();
    }

    // As the program does it: ProgID to class, instance, IDispatch.
    HRESULT Create(DispatchPointer& engine)
    {
        CLSID clsid;
        const HRESULT found = CLSIDFromProgID(L"SkinCrafter.SCSkin3", &clsid);
        if (FAILED(found))
            return found;
        IUnknown* unknown = nullptr;
        const HRESULT created = CoCreateInstance(clsid, NULL, CLSCTX_ALL, IID_IUnknown,
                                                 reinterpret_cast<void**>(&unknown));
        if (FAILED(created))
            return created;
        const HRESULT asked =
            unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(engine.Out()));
        unknown->Release();
        return asked;
    }

    static HRESULT Call(IDispatch* engine, DISPID id, std::vector<VARIANT> args,
                        VARIANT* result = nullptr)
    {
        DISPPARAMS params = {args.empty() ? nullptr : args.data(), nullptr,
                             static_cast<UINT>(args.size()), 0};
        return engine->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, result, nullptr, nullptr);
    }
    static VARIANT Int(LONG value)
    {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_I4;
        v.lVal = value;
        return v;
    }

    std::vector<std::string> Calls() const { return ReadLogLines(m_folder.File(kSkinCallLog)); }

    CheckFolder m_folder;
};

TEST_F(SkinEngineCheck, RecordsTheStartUpCallsInOrder)
{
    DispatchPointer engine;
    ASSERT_EQ(Create(engine), S_OK);
    BSTR skin = SysAllocString(L"Skin.skf");
    VARIANT file;
    VariantInit(&file);
    file.vt = VT_BSTR;
    file.bstrVal = skin;
    EXPECT_EQ(Call(engine.operator->(), 17, {Int(0)}), S_OK);
    EXPECT_EQ(Call(engine.operator->(), 1, {Int(1)}), S_OK);
    EXPECT_EQ(Call(engine.operator->(), 2, {file}), S_OK);
    EXPECT_EQ(Call(engine.operator->(), 18, {}), S_OK);
    SysFreeString(skin);
    const std::vector<std::string> expected = {
        "dispid=17 argc=1 named=0 flags=1 lcid=0 iid=null result=none arg1=3:0",
        "dispid=1 argc=1 named=0 flags=1 lcid=0 iid=null result=none arg1=3:1",
        "dispid=2 argc=1 named=0 flags=1 lcid=0 iid=null result=none arg1=8:Skin.skf",
        "dispid=18 argc=0 named=0 flags=1 lcid=0 iid=null result=none"};
    EXPECT_EQ(Calls(), expected);
}

TEST_F(SkinEngineCheck, ShowsArgumentsInTheCallersOrderAndAWantedResult)
{
    DispatchPointer engine;
    ASSERT_EQ(Create(engine), S_OK);
    VARIANT other;
    VariantInit(&other);
    other.vt = VT_BOOL;
    other.boolVal = VARIANT_TRUE;
    VARIANT result;
    VariantInit(&result);
    // rgvarg holds the last argument first.
    EXPECT_EQ(Call(engine.operator->(), 5, {other, Int(-4)}, &result), S_OK);
    EXPECT_EQ(Calls(), std::vector<std::string>{
                           "dispid=5 argc=2 named=0 flags=1 lcid=0 iid=null result=wanted "
                           "arg1=3:-4 arg2=11:?"});
}

TEST_F(SkinEngineCheck, AnswersWhatTheTestScripted)
{
    ASSERT_TRUE(AppendLine(m_folder.File(kSkinAnswers), "1 0x80004005"));
    DispatchPointer engine;
    ASSERT_EQ(Create(engine), S_OK);
    EXPECT_EQ(Call(engine.operator->(), 1, {Int(1)}), E_FAIL);
    EXPECT_EQ(Call(engine.operator->(), 17, {Int(0)}), S_OK);
    EXPECT_EQ(Calls().size(), 2u);
}

TEST_F(SkinEngineCheck, UnregisteredProgIdFailsQuietly)
{
    ASSERT_TRUE(UnregisterSkinServer());
    DispatchPointer engine;
    EXPECT_EQ(Create(engine), static_cast<HRESULT>(0x800401F3));  // CO_E_CLASSSTRING
    EXPECT_FALSE(engine);
}

}  // namespace
}  // namespace standins
