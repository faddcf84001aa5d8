// A program on the recording fake, started the way the window starts it.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/shell_handlers.h"
#include "drivers/program.h"
#include "tests/logic/fake_system.h"

// A run of recorded calls.
using Lines = std::vector<std::string>;

class LogicTest : public ::testing::Test {
protected:
    FakeSystem fake;
    Program program{fake};

    // A fresh run: the window's creation puts the run directory into 标签1; the record starts
    // after it.
    void Start(const Text& runDirectory) {
        fake = FakeSystem();
        program.ReferenceSize = 0;
        program.scriptWrittenByThisRun = false;
        fake.runDirectory = runDirectory;
        OnWindowCreated(program);
        fake.calls.clear();
    }

    bool Called(const std::string& line) const {
        return std::find(fake.calls.begin(), fake.calls.end(), line) != fake.calls.end();
    }
};

// The lines the boxes leave in the record.
inline const std::string BackupNotice =
    "ShowMessageBox(进度指示停止则表明备份完成，将不再另行提示。, 64, 消息, owned)";
inline const std::string RestoreNotice =
    "ShowMessageBox(进度指示停止则表明还原完成，将不再另行提示。, 64, 消息, owned)";
inline const std::string MissingBackupBox =
    "ShowMessageBox(当前目录没有发现备份文件，请将程序放到与<MyDrivers>文件夹同一目录, 0, 错误, no owner)";
inline const std::string UnwrittenScriptBox =
    "ShowMessageBox(无法写入脚本文件 C:\\temp.bat，备份/还原没有开始。, 0, 错误, no owner)";
inline const std::string UnsafeRunDirectoryBox =
    "ShowMessageBox(程序所在目录的路径含有“%”，无法安全地交给命令解释器。请把程序移到其他目录后再试。, 0, 错误, "
    "no owner)";
inline const std::string Launch32 =
    "ShellOpen(4, C:\\temp.bat, cmd /c start, C:\\Windows\\system32, 1)";
