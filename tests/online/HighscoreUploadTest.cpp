// The score record's trip to the high-score FTP server, against a server the test starts:
// the messages of each outcome, where the file lands, and that a failure keeps the record
// for the retry. The server speaks FTP over TLS with a certificate that only these tests
// trust; a plain server is used only when the account allows plain FTP.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "OnlineTestSupport.h"
#include "online/HighscoreUpload.h"

using namespace online_test;
using ::testing::ElementsAreArray;

namespace {

const char* const User = "quillon";
const char* const Password = "top-secret-9";
const std::string Record = "Ada\tByte Works\t2\t150000\t1994\t51\t3\tVersion 0.1.0\t4321\r\n";

struct TUploadCase {
    const char* Name;
    bool Server;          // a server listens at all
    bool RemoteFolder;    // /docs/quillon/highs/ exists on it
    const char* Perm;     // the account's rights in pyftpdlib's letters
    const char* Password; // what the game logs in with
    const char* StoredAt; // where the file lands on the server, "" for nowhere
    bool Kept;            // the local record is still there afterwards
    std::vector<std::string> Messages;
};

void PrintTo(const TUploadCase& c, std::ostream* out) {
    *out << c.Name;
}

const std::string Failed = "Could not Connected. Try again";
const std::string NoFolder = "Could not find destination, Try uploading again.";
const std::string NoStore = "Could not Upload to highscore server, Try uploading again.";

class THighscoreUploadTest : public ::testing::TestWithParam<TUploadCase> {
protected:
    fs::path ServerRoot() const { return Root.Path / "server"; }
    fs::path RecordFile() const { return Root.Path / "game" / "1234567.zlb"; }

    void StartServer(bool remoteFolder, const std::string& perm, bool tls = true) {
        fs::create_directories(ServerRoot());
        if (remoteFolder) fs::create_directories(ServerRoot() / "docs" / "quillon" / "highs");
        std::vector<std::string> args{
            "--root", ServerRoot().string(), "--user", User, "--password", Password, "--perm", perm};
        if (tls) {
            ASSERT_TRUE(Certificate.Made) << "openssl could not make a test certificate";
            args.insert(args.end(), {"--tls-cert", Certificate.Certificate, "--tls-key", Certificate.Key});
        }
        Server = std::make_unique<TServerProcess>(ScriptPath("ftp_server.py"), args, Root.Path);
        ASSERT_TRUE(Server->Running())
            << "the test FTP server did not start (python3-pyftpdlib or python3-openssl missing?)";
    }

    THighscoreAccount Account(int port, const std::string& password) const {
        THighscoreAccount account;
        account.Host = "127.0.0.1:" + std::to_string(port);
        account.User = User;
        account.Password = password;
        account.Timeouts.ConnectSeconds = 5;
        account.Timeouts.StallSeconds = 10;
        account.CaFile = Certificate.Certificate;
        return account;
    }

    TScoreUploadResult Upload(const THighscoreAccount& account, std::vector<std::string>& messages) {
        return UploadScoreRecord(account, RecordFile().string(),
                                 [&messages](const std::string& text) { messages.push_back(text); });
    }

    TTempFolder Root;
    TTestCertificate Certificate{Root.Path};
    std::unique_ptr<TServerProcess> Server;
};

TEST_P(THighscoreUploadTest, ReportsEachStepAndKeepsTheRecordWhenARetryIsOffered) {
    const TUploadCase& c = GetParam();
    WriteFile(RecordFile(), Record);
    int port = UnusedPort();
    if (c.Server) {
        StartServer(c.RemoteFolder, c.Perm);
        port = Server->Port;
    }
    std::vector<std::string> messages;
    const TScoreUploadResult result = Upload(Account(port, c.Password), messages);

    EXPECT_THAT(messages, ElementsAreArray(c.Messages));
    EXPECT_EQ(result.Stored, std::string(c.StoredAt) != "");
    EXPECT_EQ(result.RetryOffered, c.Kept);
    EXPECT_EQ(fs::exists(RecordFile()), c.Kept);
    if (c.Kept) {
        EXPECT_TRUE(HoldsBytes(RecordFile(), Record));
    }
    if (std::string(c.StoredAt) != "") {
        EXPECT_TRUE(HoldsBytes(ServerRoot() / c.StoredAt / "1234567.zlb", Record));
    }
    if (c.Server) {
        // Nothing else was stored anywhere.
        int files = 0;
        for (const auto& entry : fs::recursive_directory_iterator(ServerRoot()))
            files += entry.is_regular_file();
        EXPECT_EQ(files, std::string(c.StoredAt) != "" ? 1 : 0);
    }
    // The password never reaches the player's messages or the failure detail.
    for (const std::string& message : messages)
        EXPECT_EQ(message.find(Password), std::string::npos);
    EXPECT_EQ(result.Detail.find(Password), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, THighscoreUploadTest,
    ::testing::Values(
        TUploadCase{"Finished",
                    true,
                    true,
                    "elradfmw",
                    Password,
                    "docs/quillon/highs",
                    false,
                    {"Connected", "Uploading...", "Uploading finished"}},
        TUploadCase{"RemoteFolderMissing",
                    true,
                    false,
                    "elradfmw",
                    Password,
                    ".",
                    true,
                    {"Connected", NoFolder, "Uploading...", "Uploading finished"}},
        TUploadCase{
            "StoreRefused", true, true, "elr", Password, "", true, {"Connected", "Uploading...", NoStore}},
        TUploadCase{"WrongPassword", true, true, "elradfmw", "guess", "", true, {Failed}},
        TUploadCase{"ConnectionRefused", false, true, "", Password, "", true, {Failed}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(THighscoreUploadTest, TheRetrySendsTheRecordKeptByAFailedUpload) {
    WriteFile(RecordFile(), Record);
    std::vector<std::string> first;
    Upload(Account(UnusedPort(), Password), first);
    ASSERT_THAT(first, ElementsAreArray({Failed}));
    ASSERT_TRUE(fs::exists(RecordFile()));

    StartServer(true, "elradfmw");
    std::vector<std::string> second;
    const TScoreUploadResult result = Upload(Account(Server->Port, Password), second);
    EXPECT_THAT(second, ElementsAreArray({"Connected", "Uploading...", "Uploading finished"}))
        << result.Detail;
    EXPECT_TRUE(result.Stored);
    EXPECT_TRUE(HoldsBytes(ServerRoot() / "docs/quillon/highs/1234567.zlb", Record));
    EXPECT_FALSE(fs::exists(RecordFile()));
}

TEST_F(THighscoreUploadTest, StoringReplacesAnOlderFileOfTheSameName) {
    StartServer(true, "elradfmw");
    WriteFile(ServerRoot() / "docs/quillon/highs/1234567.zlb", std::string(500, 'x'));
    WriteFile(RecordFile(), Record);
    std::vector<std::string> messages;
    EXPECT_TRUE(Upload(Account(Server->Port, Password), messages).Stored);
    EXPECT_TRUE(HoldsBytes(ServerRoot() / "docs/quillon/highs/1234567.zlb", Record));
}

TEST_F(THighscoreUploadTest, NoServerSetCannotConnect) {
    WriteFile(RecordFile(), Record);
    THighscoreAccount account;
    std::vector<std::string> messages;
    const TScoreUploadResult result = Upload(account, messages);
    EXPECT_THAT(messages, ElementsAreArray({Failed}));
    EXPECT_TRUE(result.RetryOffered);
    EXPECT_TRUE(fs::exists(RecordFile()));
}

TEST_F(THighscoreUploadTest, APlainServerIsRefusedUnlessPlainFtpIsAllowed) {
    StartServer(true, "elradfmw", false);
    WriteFile(RecordFile(), Record);
    std::vector<std::string> messages;
    TScoreUploadResult result = Upload(Account(Server->Port, Password), messages);
    // Refused before the login: the password never left the machine.
    EXPECT_THAT(messages, ElementsAreArray({Failed, std::string(HighscoreNoTlsText)}));
    EXPECT_FALSE(result.Stored);
    EXPECT_TRUE(result.RetryOffered);
    EXPECT_FALSE(fs::exists(ServerRoot() / "docs/quillon/highs/1234567.zlb"));
    EXPECT_TRUE(fs::exists(RecordFile()));

    THighscoreAccount plain = Account(Server->Port, Password);
    plain.AllowPlainFtp = true;
    messages.clear();
    result = Upload(plain, messages);
    EXPECT_THAT(messages, ElementsAreArray({"Connected", "Uploading...", "Uploading finished"}));
    EXPECT_TRUE(HoldsBytes(ServerRoot() / "docs/quillon/highs/1234567.zlb", Record));
}

TEST_F(THighscoreUploadTest, ACertificateTheClientDoesNotTrustIsRefused) {
    StartServer(true, "elradfmw");
    WriteFile(RecordFile(), Record);
    THighscoreAccount account = Account(Server->Port, Password);
    account.CaFile.clear(); // the system's authorities know nothing of the test's certificate
    std::vector<std::string> messages;
    const TScoreUploadResult result = Upload(account, messages);
    EXPECT_THAT(messages, ElementsAreArray({Failed}));
    EXPECT_FALSE(result.Stored);
    EXPECT_FALSE(fs::exists(ServerRoot() / "docs/quillon/highs/1234567.zlb"));
}

} // namespace
