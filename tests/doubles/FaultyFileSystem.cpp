#include "FaultyFileSystem.h"

#include <algorithm>

namespace carvel {

namespace {

[[noreturn]] void fail(const std::string& what, const std::string& path, const char* reason) {
    throw FileSystemError(what + " " + path + ": " + reason);
}

} // namespace

class FaultyStream final : public TextStream {
public:
    FaultyStream(FaultyFileSystem& fs, std::unique_ptr<TextStream> real, std::string path)
        : m_fs(fs), m_owned(std::move(real)), m_real(m_owned.get()), m_path(std::move(path)) {}
    // A stream that another object owns.
    FaultyStream(FaultyFileSystem& fs, TextStream& real, std::string path)
        : m_fs(fs), m_real(&real), m_path(std::move(path)) {}

    std::string Read(FileLength count) override {
        m_fs.countRead(m_path);
        return m_real->Read(count);
    }
    void Write(std::string_view bytes) override {
        const FileLength fits = m_fs.countWrite(m_path, static_cast<FileLength>(bytes.size()));
        m_real->Write(bytes.substr(0, static_cast<std::size_t>(fits)));
        if (fits < static_cast<FileLength>(bytes.size()))
            fail("Cannot write file", m_path, "No space left on device");
    }
    void Close() override {
        m_real->Close();
        m_fs.countClose(m_path);
    }
    void StartSync() override { m_real->StartSync(); }
    void Sync() override {
        m_fs.countSync(m_path);
        m_real->Sync();
        m_fs.record("sync " + m_path);
    }

    TextStream& real() { return *m_real; }
    const std::string& path() const { return m_path; }

private:
    FaultyFileSystem& m_fs;
    std::unique_ptr<TextStream> m_owned;
    TextStream* m_real;
    std::string m_path;
};

void FaultyFileSystem::countRead(const std::string& path) {
    if (++m_reads == m_failRead)
        fail("Cannot read file", path, "Input/output error");
}

FileLength FaultyFileSystem::countWrite(const std::string& path, FileLength size) {
    if (++m_writes == m_failWrite)
        fail("Cannot write file", path, "Input/output error");
    if (m_spaceLeft < 0)
        return size;
    const FileLength fits = std::min(size, m_spaceLeft);
    m_spaceLeft -= fits;
    return fits;
}

void FaultyFileSystem::countClose(const std::string& path) {
    if (++m_closes == m_failClose)
        fail("Cannot close file", path, "Input/output error");
}

void FaultyFileSystem::countSync(const std::string& path) {
    if (++m_syncs == m_failSync)
        fail("Cannot write file " + path, "to the disk", "Input/output error");
}

void FaultyFileSystem::SyncFile(const std::string& path) {
    countSync(path);
    real().SyncFile(path);
    record("sync " + path);
}

void FaultyFileSystem::SyncFolder(const std::string& path) {
    countSync(path);
    real().SyncFolder(path);
    record("folder " + path);
}

std::unique_ptr<TextStream> FaultyFileSystem::OpenTextFile(const std::string& path) {
    return std::make_unique<FaultyStream>(*this, real().OpenTextFile(path), path);
}

std::unique_ptr<TextStream> FaultyFileSystem::CreateTextFile(const std::string& path,
                                                             bool overwrite) {
    if (++m_creates == m_failCreate)
        fail("Cannot create file", path, "Permission denied");
    auto stream =
        std::make_unique<FaultyStream>(*this, real().CreateTextFile(path, overwrite), path);
    record("create " + path);
    return stream;
}

class FaultyResultFile final : public ResultFile {
public:
    FaultyResultFile(FaultyFileSystem& fs, std::unique_ptr<ResultFile> real, std::string path)
        : m_fs(fs), m_real(std::move(real)), m_stream(fs, m_real->stream(), path),
          m_path(std::move(path)) {}

    TextStream& stream() override { return m_stream; }
    std::unique_ptr<TextStream> ReadBack(FileLength offset) override {
        return m_real->ReadBack(offset);
    }
    bool InPlace() const override { return m_fs.m_inPlace || m_real->InPlace(); }
    // A failed close stops the commit before the result is put in place.
    void Commit() override {
        m_fs.countClose(m_path);
        m_real->Commit();
        m_fs.record("commit " + m_path);
    }

private:
    FaultyFileSystem& m_fs;
    std::unique_ptr<ResultFile> m_real;
    FaultyStream m_stream;
    std::string m_path;
};

std::unique_ptr<ResultFile> FaultyFileSystem::CreateResultFile(const std::string& path,
                                                               bool replace) {
    if (++m_creates == m_failCreate)
        fail("Cannot create file", path, "Permission denied");
    return std::make_unique<FaultyResultFile>(*this, real().CreateResultFile(path, replace), path);
}

void FaultyFileSystem::CopyBytes(TextStream& from, TextStream& to, FileLength count,
                                 const CopyProgress& progress) {
    auto& source = dynamic_cast<FaultyStream&>(from);
    auto& target = dynamic_cast<FaultyStream&>(to);
    countRead(source.path());
    const FileLength fits = countWrite(target.path(), count);
    real().CopyBytes(source.real(), target.real(), fits, progress);
    if (fits < count)
        fail("Cannot write file", target.path(), "No space left on device");
}

} // namespace carvel
