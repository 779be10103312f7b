// HOME, and so the documents folder that LCD captures go to, in a temporary folder for the
// life of the object; the previous values come back afterwards.
#pragma once

#include <QByteArray>
#include <cstdlib>
#include <filesystem>
#include <string>

class CTemporaryHome {
public:
    CTemporaryHome() : m_home(qgetenv("HOME")), m_config(qgetenv("XDG_CONFIG_HOME")) {
        char path[] = "/tmp/orvane-home-XXXXXX";
        if (mkdtemp(path)) m_path = path;
        qputenv("HOME", m_path.c_str());
        qputenv("XDG_CONFIG_HOME", (m_path + "/.config").c_str());
    }
    ~CTemporaryHome() {
        qputenv("HOME", m_home);
        if (m_config.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", m_config);
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    CTemporaryHome(const CTemporaryHome&) = delete;
    CTemporaryHome& operator=(const CTemporaryHome&) = delete;

    std::string CaptureFolder() const { return m_path + "/Documents/CalcDispImage/"; }

private:
    QByteArray m_home, m_config;
    std::string m_path;
};
