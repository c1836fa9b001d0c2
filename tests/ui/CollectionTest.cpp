// The SRO link collection against the fake registry on 127.0.0.1 (TLS): pages of 100, failing
// and odd answers, the guard against a run, and closing the window mid-request.
#include "crawl/text/Text.h"
#include "tests/support/FakeRegistry.h"
#include "tests/ui/CaseName.h"
#include "tests/ui/FormFixture.h"

#include <gtest/gtest.h>

namespace ui::test {
namespace {

using testsupport::FakeRegistry;
using testsupport::ScriptedAnswer;

std::string Body(int page)
{
    return R"({"filters":{},"page":)" + std::to_string(page) + R"(,"pageCount":"100","sortBy":{}})";
}

// A window on a fake registry of `sroCount` SROs named "s1", "s2"...
class CollectionFixture {
public:
    explicit CollectionFixture(int sroCount)
    {
        for (int i = 1; i <= sroCount; ++i) {
            registry.AddSro("s" + std::to_string(i));
        }
        fixture.Show();
    }

    TMainForm& Form() { return fixture.Form(); }
    FakeView& View() { return fixture.View(); }

    std::u16string Link(const std::string& sroId) const
    {
        return crawl::Utf8ToUtf16("https://" + registry.HostAndPort() + "/sro/" + sroId +
                                  "/member/list");
    }
    std::vector<std::u16string> Links(int first, int last) const
    {
        std::vector<std::u16string> links;
        for (int i = first; i <= last; ++i) {
            links.push_back(Link("s" + std::to_string(i)));
        }
        return links;
    }

    // The log after the greeting and its empty line.
    std::vector<std::u16string> CollectionLog() const
    {
        const std::vector<std::u16string> lines = fixture.LogLines();
        return {lines.begin() + 2, lines.end()};
    }

    std::vector<testsupport::RecordedRequest> SroListRequests()
    {
        return registry.Server().RequestsTo(FakeRegistry::SroListPath());
    }

    FakeRegistry registry;
    FormFixture fixture{crawl::Utf8ToUtf16(registry.HostAndPort())};
};

enum class Fault { FailingPage2, FailingPage1, NotJson, NoCountPages };

struct CollectionCase {
    const char* name;
    Fault fault;
    std::vector<int> pages;
    std::vector<std::u16string> log;
    int linkCount;
};

class CollectionTest : public testing::TestWithParam<CollectionCase> {};

TEST_P(CollectionTest, PagesFailuresAndFinalLine)
{
    const CollectionCase& collectionCase = GetParam();
    CollectionFixture collection(250);
    const std::string path = FakeRegistry::SroListPath();
    const ScriptedAnswer serverError{500, "Internal Server Error"};
    switch (collectionCase.fault) {
    case Fault::FailingPage2:
        collection.registry.FailNext(path, 2, {serverError});
        break;
    case Fault::FailingPage1:
        collection.registry.FailNext(path, 1, {serverError});
        break;
    case Fault::NotJson:
        collection.registry.FailNext(path, 1, {ScriptedAnswer::Json("<html>")});
        break;
    case Fault::NoCountPages:
        collection.registry.FailNext(
            path, 1, {ScriptedAnswer::Json(R"({"data":{"data":[{"id":"x"},{}]}})")});
        break;
    }
    FakeView& view = collection.View();
    view.Field(Control::UrlsMemo) = u"previous content";
    collection.Form().Button1Click();

    EXPECT_EQ(collection.CollectionLog(), collectionCase.log);
    const std::vector<testsupport::RecordedRequest> requests = collection.SroListRequests();
    ASSERT_EQ(requests.size(), collectionCase.pages.size());
    for (std::size_t i = 0; i < requests.size(); ++i) {
        EXPECT_EQ(requests[i].body, Body(collectionCase.pages[i]));
        EXPECT_EQ(requests[i].method, "POST");
        // Before any run: the media type alone, and the client's initial user agent.
        EXPECT_EQ(requests[i].Header("Content-Type").value_or(""), "application/json");
        EXPECT_EQ(requests[i].Header("User-Agent").value_or(""),
                  "Mozilla/3.0 (compatible; Indy Library)");
    }
    std::vector<std::u16string> links;
    if (collectionCase.fault == Fault::FailingPage2) {
        links = collection.Links(1, 100);
        const std::vector<std::u16string> page3 = collection.Links(201, 250);
        links.insert(links.end(), page3.begin(), page3.end());
    } else if (collectionCase.fault == Fault::NoCountPages) {
        links = {collection.Link("x"), collection.Link("")};
    }
    std::u16string linkList;
    for (const std::u16string& link : links) {
        linkList += (linkList.empty() ? u"" : u"\n") + link;
    }
    EXPECT_EQ(view.Field(Control::UrlsMemo), linkList);
    EXPECT_EQ(collection.Form().LinkLineCount(), collectionCase.linkCount);
    // The wait cursor for the whole collection, whatever happened.
    EXPECT_EQ(view.waitCursorChanges, (std::vector<bool>{true, false}));
    EXPECT_TRUE(view.enabled[FakeView::Index(Control::Button1)]);
    EXPECT_TRUE(view.enabled[FakeView::Index(Control::StartButton)]);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CollectionTest,
    testing::Values(
        CollectionCase{"Page2Of3Fails",
                       Fault::FailingPage2,
                       {1, 2, 3},
                       {u"Загружаем страницу 1", u"Загружаем страницу 2",
                        u"Ошибка: HTTP/1.1 500 Internal Server Error", u"Загружаем страницу 3",
                        u"Все ссылки на СРО загружены: 150"},
                       150},
        CollectionCase{"Page1FailsNoPageCount",
                       Fault::FailingPage1,
                       {1},
                       {u"Загружаем страницу 1", u"Ошибка: HTTP/1.1 500 Internal Server Error",
                        u"Все ссылки на СРО загружены: 0"},
                       0},
        CollectionCase{"AnswerNotJson",
                       Fault::NotJson,
                       {1},
                       {u"Загружаем страницу 1", u"Все ссылки на СРО загружены: 0"},
                       0},
        CollectionCase{"NoCountPagesAndAnElementWithoutId",
                       Fault::NoCountPages,
                       {1},
                       {u"Загружаем страницу 1", u"Все ссылки на СРО загружены: 2"},
                       2}),
    CaseName<CollectionCase>);

TEST(CollectionGuardTest, RunAndSecondCollectionAreRefusedDuringCollection)
{
    CollectionFixture collection(1);
    collection.registry.FailNext(
        FakeRegistry::SroListPath(), 1,
        {Delayed(ScriptedAnswer::Json(R"({"data":{"countPages":1,"data":[{"id":"s1"}]}})"),
                 std::chrono::milliseconds(300))});
    FakeView& view = collection.View();
    TMainForm& form = collection.Form();

    bool pressed = false;
    bool waitCursor = false;
    bool startEnabled = true;
    bool button1Enabled = true;
    std::u16string logDuring;
    // The user presses START and the button again while page 1 waits for its answer.
    view.onProcessMessages = [&] {
        if (pressed) {
            return;
        }
        pressed = true;
        waitCursor = view.waitCursor;
        startEnabled = view.enabled[FakeView::Index(Control::StartButton)];
        button1Enabled = view.enabled[FakeView::Index(Control::Button1)];
        form.StartButtonClick();
        form.Button1Click();
        logDuring = view.Field(Control::LogsMemo);
    };
    form.Button1Click();

    ASSERT_TRUE(pressed);
    EXPECT_TRUE(waitCursor);
    EXPECT_FALSE(startEnabled);
    EXPECT_FALSE(button1Enabled);
    EXPECT_TRUE(logDuring.ends_with(u"Загружаем страницу 1")) << Utf8(logDuring);
    EXPECT_TRUE(form.WaitForWorker(std::chrono::milliseconds(0)));
    EXPECT_EQ(collection.registry.Server().Requests().size(), 1u);
    EXPECT_EQ(collection.CollectionLog(),
              (std::vector<std::u16string>{u"Загружаем страницу 1",
                                           u"Все ссылки на СРО загружены: 1"}));
    EXPECT_TRUE(view.enabled[FakeView::Index(Control::StartButton)]);
    EXPECT_TRUE(view.enabled[FakeView::Index(Control::Button1)]);
    EXPECT_FALSE(view.waitCursor);
}

TEST(CollectionGuardTest, ClosingDuringCollection)
{
    CollectionFixture collection(250);
    // Page 2 answers late; the window closes while it waits.
    std::string page2 = R"({"data":{"countPages":3,"data":[)";
    for (int i = 101; i <= 200; ++i) {
        page2 += (i > 101 ? R"(,{"id":"s)" : R"({"id":"s)") + std::to_string(i) + "\"}";
    }
    page2 += "]}}";
    collection.registry.FailNext(
        FakeRegistry::SroListPath(), 2,
        {Delayed(ScriptedAnswer::Json(page2), std::chrono::milliseconds(300))});
    FakeView& view = collection.View();
    bool closed = false;
    view.onProcessMessages = [&] {
        if (!closed && collection.SroListRequests().size() >= 2) {
            closed = collection.Form().FormClose();
        }
    };
    collection.Form().Button1Click();

    ASSERT_TRUE(closed);
    EXPECT_EQ(collection.SroListRequests().size(), 2u);
    EXPECT_EQ(collection.CollectionLog(),
              (std::vector<std::u16string>{u"Загружаем страницу 1", u"Загружаем страницу 2"}));
    std::string pageOne;
    std::u16string pageOneField;
    for (const std::u16string& link : collection.Links(1, 100)) {
        pageOne += (pageOne.empty() ? "" : "\r\n") + Utf8(link);
        pageOneField += (pageOneField.empty() ? u"" : u"\n") + link;
    }
    EXPECT_EQ(collection.fixture.ReadFile("urls.txt"), pageOne);
    EXPECT_EQ(view.Field(Control::UrlsMemo), pageOneField);
    EXPECT_FALSE(view.waitCursor);
}

// A page count beyond 32 bits keeps only its low 32 bits: 4294967298 asks for two pages.
TEST(CollectionGuardTest, PageCountIsThirtyTwoBits)
{
    CollectionFixture collection(0);
    // Five such answers, then the registry's own, which ends any collection that goes on.
    const ScriptedAnswer answer =
        ScriptedAnswer::Json(R"({"data":{"countPages":4294967298,"data":[{"id":"s1"}]}})");
    collection.registry.FailNext(FakeRegistry::SroListPath(), std::nullopt,
                                 std::vector<ScriptedAnswer>(5, answer));
    collection.Form().Button1Click();

    const std::vector<testsupport::RecordedRequest> requests = collection.SroListRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].body, Body(2));
    EXPECT_EQ(collection.CollectionLog().back(), u"Все ссылки на СРО загружены: 2");
}

// The link list loses its content even when the very first request fails.
TEST(CollectionGuardTest, NoRegistryEmptiesTheLinkList)
{
    FormFixture fixture(u"127.0.0.1:1");
    fixture.Show();
    fixture.Form().Button1Click();
    EXPECT_EQ(fixture.View().Field(Control::UrlsMemo), u"");
    // The socket error's message may take more than one line.
    const std::vector<std::u16string> lines = fixture.LogLines();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[2], u"Загружаем страницу 1");
    EXPECT_TRUE(lines[3].starts_with(u"Ошибка: ")) << Utf8(lines[3]);
    EXPECT_EQ(lines.back(), u"Все ссылки на СРО загружены: 0");
}

} // namespace
} // namespace ui::test
