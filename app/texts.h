#pragma once
// Every fixed text of the program. The source is UTF-8; the compiler stores them as code page 936
// (GBK) bytes, which is what the ANSI Windows calls expect.

namespace texts {

// The single-instance marker.
inline constexpr char kInstanceEventName[] = "relkyouhua";

// Main window.
inline constexpr char kWindowCaption[] = "Kestrova";
inline constexpr char kOptimizeButton[] = "优化";
inline constexpr char kRestoreButton[] = "还原";
// The publisher's home page: the last line of the explanation.
#define KESTROVA_HOME_PAGE "https://kestrova.github.io"
inline constexpr char kPublisherAddress[] = KESTROVA_HOME_PAGE;
inline constexpr char kExplanation[] =
    "原理：英雄联盟中的Cross文件夹是腾讯的第三方插件用于监控和引流，在游戏运行时也会运行从而拖慢游戏帧数。"
    "目前各大论坛公布的方法是删除此文件夹即可提升帧率，本工具就是以此方法而制作的，"
    "但是使用本工具不仅可以删除也可以恢复，防止后期游戏无法正常运行。"
    "\r\n\r\n" KESTROVA_HOME_PAGE;
inline constexpr char kFatalError[] = "程序无法启动：窗口创建失败或内存不足。";

// Notices.
inline constexpr char kNoticeCaption[] = "信息：";
inline constexpr char kWrongFolder[] = "请选择正确的目录。比如：X:\\XXXX\\英雄联盟";
inline constexpr char kCloseClientFirst[] = "请关闭游戏客户端后再执行本程序。";
inline constexpr char kNoBackup[] = "备份文件夹不存在。";
inline constexpr char kRestoreFailed[] = "还原失败！请重试。";
inline constexpr char kRestoreDone[] = "还原成功！";
inline constexpr char kAlreadyOptimized[] = "Cross文件夹已优化，可能你已经删除过了。";
inline constexpr char kOverwriteBackup[] = "检测到有备份文件存在，是否覆盖？";
inline constexpr char kOptimizeFailed[] = "优化失败！请重试。";
inline constexpr char kOptimizeDone[] = "优化成功！";

// Game folder discovery.
inline constexpr char kInstallSourcePath[] =
    "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\英雄联盟\\InstallSource";
inline constexpr char kPickerTitle[] = "查找名为英雄联盟的文件夹";
inline constexpr char kUninstallerSuffix[] = "\\英雄联盟卸载.exe";
inline constexpr char kPathLabelPrefix[] = "游戏路径：";
inline constexpr char kPathLabelSuffix[] = "\r\n注意：操作前请关闭游戏客户端";
inline constexpr char kBackupSuffix[] = "\\Cross111";
inline constexpr char kComponentSuffix[] = "\\Cross";

// Game client processes, in the order they are looked for.
inline constexpr const char* kGameClientNames[] = {
    "LeagueClient.exe", "LeagueClientUx.exe", "Client.exe", "League of Legends.exe"};

}  // namespace texts
