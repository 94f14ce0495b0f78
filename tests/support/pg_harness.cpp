#include "pg_harness.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#ifndef TABEL_SOURCE_DIR
#error "TABEL_SOURCE_DIR must name the source tree (it holds db/schema.sql and db/reserved.sql)"
#endif

namespace fs = std::filesystem;

namespace testdb {
namespace {

constexpr const char* kTemplate = "tabel_template";
constexpr const char* kDirPrefix = "tabel-pg-";

std::string quoted(const std::string& s)  // for /bin/sh
{
    std::string out = "'";
    for (char c : s) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

std::string readFile(const fs::path& p)
{
    std::ifstream in(p);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool isRoot() { return geteuid() == 0; }

// A process that exists and is not a zombie (an orphaned server may never be reaped in a
// container whose first process does not wait for children).
bool alive(long pid)
{
    if (pid <= 0 || (kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM))
        return false;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const auto paren = line.rfind(')');
    return paren == std::string::npos || paren + 2 >= line.size() || line[paren + 2] != 'Z';
}

std::string findBinDir()
{
    if (FILE* p = popen("pg_config --bindir 2>/dev/null", "r")) {
        char buf[512] = {};
        std::string out;
        while (fgets(buf, sizeof buf, p))
            out += buf;
        pclose(p);
        while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
            out.pop_back();
        if (!out.empty() && fs::exists(fs::path(out) / "initdb"))
            return out;
    }
    // Debian keeps the server binaries per major version; take the newest.
    std::string best;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator("/usr/lib/postgresql", ec)) {
        const fs::path bin = e.path() / "bin";
        if (fs::exists(bin / "initdb") && (best.empty() || bin.string() > best))
            best = bin.string();
    }
    if (best.empty())
        throw std::runtime_error("PostgreSQL server binaries (initdb) not found");
    return best;
}

// A throwaway cluster in a private directory, owned by this process.
class Cluster {
public:
    Cluster()
    {
        reapStale();
        bin_ = findBinDir();
        char tmpl[] = "/tmp/tabel-pg-XXXXXX";
        if (!mkdtemp(tmpl))
            throw std::runtime_error("cannot create a private directory under /tmp");
        dir_ = tmpl;
        owner_ = getpid();
        try {
            chmod(dir_.c_str(), 0755);
            std::ofstream(fs::path(dir_) / "owner.pid") << owner_ << '\n';
            if (isRoot()) {
                // initdb refuses to run as root: the server runs as postgres.
                const passwd* pw = getpwnam("postgres");
                if (!pw)
                    throw std::runtime_error("running as root, but there is no postgres user");
                if (chown(dir_.c_str(), pw->pw_uid, pw->pw_gid) != 0)
                    throw std::runtime_error("cannot give " + dir_ + " to postgres");
            }
            start();
        } catch (...) {
            stop();
            throw;
        }
    }

    ~Cluster() { stop(); }

    const std::string& dir() const { return dir_; }

    // Runs a command line with stdin from `input` if given. The server programs run as postgres
    // when we are root; psql is a client and runs as we are.
    void run(const std::string& what, const std::string& cmd, const std::string& input = {},
             bool server = false) const
    {
        const std::string err = dir_ + "/cmd.err";
        std::string line = "cd / && ";
        if (!input.empty())
            line += "cat " + input + " | ";
        if (server && isRoot())
            line += "runuser -u postgres -- ";
        line += cmd + " >/dev/null 2>" + quoted(err);
        const int rc = std::system(line.c_str());
        if (rc != 0) {
            std::string msg = readFile(err);
            if (msg.empty())
                msg = "exit status " + std::to_string(WIFEXITED(rc) ? WEXITSTATUS(rc) : rc);
            throw std::runtime_error(what + " failed: " + msg);
        }
    }

    std::string psql(const std::string& database) const
    {
        return quoted(bin_ + "/psql") + " -X -q -w -v ON_ERROR_STOP=1 -h " + quoted(dir_) +
               " -p 5432 -U postgres -d " + quoted(database) + " -f -";
    }

    void sql(const std::string& database, const std::string& text) const
    {
        const std::string file = dir_ + "/stmt-" + std::to_string(++seq_) + ".sql";
        {
            std::ofstream out(file, std::ios::binary);
            out << text << '\n';
        }
        std::error_code ec;
        try {
            run("psql on " + database, psql(database), quoted(file));
        } catch (...) {
            fs::remove(file, ec);
            throw;
        }
        fs::remove(file, ec);
    }

private:
    void start()
    {
        const std::string data = dir_ + "/data";
        run("initdb",
            quoted(bin_ + "/initdb") + " -D " + quoted(data) +
                " -U postgres -E UTF8 --locale=C.UTF-8 -N -A trust",
            {}, true);
        // Unix socket in the private directory only: no TCP, so it runs beside any other server.
        const std::string opts = "-c listen_addresses='' -k " + dir_ +
                                 " -p 5432 -c fsync=off -c full_page_writes=off"
                                 " -c synchronous_commit=off -c shared_buffers=32MB";
        run("pg_ctl start", quoted(bin_ + "/pg_ctl") + " -D " + quoted(data) + " -l " +
                                quoted(dir_ + "/server.log") + " -w -o " + quoted(opts) + " start",
            {}, true);
        started_ = true;

        // Russian collation, so that names sort the way the users read them.
        sql("postgres", std::string("CREATE DATABASE ") + kTemplate +
                            " LOCALE_PROVIDER icu ICU_LOCALE 'ru-RU' TEMPLATE template0");
        const std::string src = TABEL_SOURCE_DIR;
        run("loading db/schema.sql and db/reserved.sql", psql(kTemplate),
            quoted(src + "/db/schema.sql") + " " + quoted(src + "/db/reserved.sql"));
    }

    void stop() noexcept
    {
        if (dir_.empty() || getpid() != owner_)  // a forked child leaves the parent's cluster alone
            return;
        if (started_) {
            std::string line = "cd / && ";
            if (isRoot())
                line += "runuser -u postgres -- ";
            line += quoted(bin_ + "/pg_ctl") + " -D " + quoted(dir_ + "/data") +
                    " -m immediate -w stop >/dev/null 2>&1";
            [[maybe_unused]] int rc = std::system(line.c_str());
            started_ = false;
        }
        std::error_code ec;
        fs::remove_all(dir_, ec);
        dir_.clear();
    }

    // Clusters left behind by test processes that died without cleaning up.
    static void reapStale() noexcept
    {
        std::error_code ec;
        for (const auto& e : fs::directory_iterator("/tmp", ec)) {
            const std::string name = e.path().filename().string();
            if (name.rfind(kDirPrefix, 0) != 0)
                continue;
            std::ifstream in(e.path() / "owner.pid");
            long pid = 0;
            if (!(in >> pid) || pid <= 0 || alive(pid))
                continue;  // not ours, or its owner is still running
            const fs::path pidFile = e.path() / "data" / "postmaster.pid";
            if (fs::exists(pidFile, ec)) {
                // Only a server we can see is ours to stop; anything else is left alone.
                std::ifstream pm(pidFile);
                long postmaster = 0;
                if (!(pm >> postmaster) || !alive(postmaster) ||
                    kill(static_cast<pid_t>(postmaster), SIGQUIT) != 0)
                    continue;
                for (int i = 0; i < 100 && alive(postmaster); ++i)
                    usleep(50 * 1000);
            }
            fs::remove_all(e.path(), ec);
        }
    }

    std::string bin_;
    std::string dir_;
    pid_t owner_ = 0;
    bool started_ = false;
    mutable int seq_ = 0;
};

Cluster& cluster()
{
    static Cluster c;  // started on first use, stopped by the static destructor at exit
    return c;
}

std::atomic<int> counter{0};

std::string identifier(const QString& name)
{
    const std::string s = name.toStdString();
    std::string out = "\"";
    for (char c : s) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace

QString socketDir()
{
    return QString::fromStdString(cluster().dir());
}

QString freshDatabase()
{
    Cluster& c = cluster();
    const QString name = QStringLiteral("t%1").arg(counter.fetch_add(1) + 1, 3, 10, QLatin1Char('0'));
    c.sql("postgres", "CREATE DATABASE " + identifier(name) + " TEMPLATE " + kTemplate);
    return name;
}

void dropDatabase(const QString& name)
{
    cluster().sql("postgres", "DROP DATABASE IF EXISTS " + identifier(name) + " WITH (FORCE)");
}

void runSql(const QString& database, const QString& sql)
{
    cluster().sql(database.toStdString(), sql.toStdString());
}

}  // namespace testdb
