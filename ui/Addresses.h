// The addresses the program opens or passes on: the pages of the tray menu,
// the client's download page and the maker's update server.
#pragma once

// The maker's web site; its pages are below it.
constexpr char kMakerSite[] = "https://www.velorix.net";
constexpr char kHelpPath[] = "/help";
// Host name only: the updater adds scheme and path itself.
constexpr char kUpdateServerHost[] = "update.velorix.net";

// Where the client itself is offered for download.
constexpr char kClientDownloadPage[] = "https://www.utorrent.com/downloads/win/";

// The tray menu's pages, each an outside site's own address.
constexpr char kP2PSecurityPage[] =
    "https://www.cisa.gov/news-events/news/risks-file-sharing-technology";
constexpr char kFileSharingPage[] = "https://en.wikipedia.org/wiki/File_sharing";
constexpr char kAnonymousDownloadPage[] = "https://geti2p.net/";
constexpr char kMusicStorePage[] = "https://www.emusic.com/";
constexpr char kMediaArchivePage[] = "https://archive.org/";
