#!/usr/bin/env python3
"""The facts of the installation packages, and the WiX source of one MSI.

  msi_source.py version PROGRAM.exe
      the program's version from its version resource, as an MSI version
      ("18.0.0" for FILEVERSION 18,0,0,0)
  msi_source.py editions
      one line per edition: file prefix, then display name (from
      src/res/edition.h)
  msi_source.py files PREFIX
      the files the edition's package installs, one a line
  msi_source.py name PREFIX
      the product's name (the description of the signatures)
  msi_source.py wxs PREFIX VERSION
      the WiX source of the edition's package: the program and its two
      data files, installed per machine into INSTALLDIR; wixl runs in the
      folder that holds them and program.ico
  msi_source.py summary PREFIX VERSION EPOCH
      the MSI's summary information as msibuild -s takes it, one a line:
      subject, author, template, package code

Texts: the database's strings are Japanese in code page 932 (wixl stores
them so when told the language is Japanese, package.sh then marks the
database with that code page); the summary information, which wixl writes
in UTF-8 whatever its code page says, holds ASCII only.

Codes: the upgrade code is fixed per edition, so that any newer package of
an edition replaces the installed one; the product code and the component
codes are derived from the edition (and the version, for the product), the
package code from the edition, the version and the commit's time
(SOURCE_DATE_EPOCH), so that the same commit gives the same package and
another build of the same version another package code.
"""

import os
import re
import struct
import sys
import uuid
from xml.sax.saxutils import quoteattr

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
EDITION_HEADER = os.path.join(ROOT, "src", "res", "edition.h")

# Never change these: Windows Installer recognises an edition's earlier
# packages by them.
UPGRADE_CODES = {
    "LdgSel18ToQb16_G": "9A09F1D2-A237-44CA-BBD5-C1C261EFC77B",
    "LdgAdv18ToQb16_G": "079EFDAF-9141-493D-B342-9169CF733854",
    "LdgBas18ToQb16_G": "2FEB4E6D-BD50-4D54-800F-5DF5642A3114",
}
CODE_NAMESPACE = uuid.UUID("2D4A90D0-AFBF-4286-8BED-5EDAF24C4D9B")
# The default folder, under Program Files (x86) on 64-bit Windows.
FOLDER_NAME = "LdgOverview"
DATA_SUFFIXES = ("_GaiKmk.dat", "_DefKmk.dat")
FIXED_FILE_INFO = struct.pack("<I", 0xFEEF04BD)


def editions():
    """[(prefix, display name)] in the header's order."""
    with open(EDITION_HEADER, encoding="utf-8") as f:
        text = f.read()
    found = {}
    for kind, name, value in re.findall(r'#define LDG_(\w+?)_(DISPLAY_NAME|FILE_PREFIX) "([^"]*)"', text):
        found.setdefault(kind, {})[name] = value
    return [(v["FILE_PREFIX"], v["DISPLAY_NAME"]) for v in found.values()]


def program_version(path):
    """FILEVERSION a,b,c,d of the program as "a.b.c" (an MSI keeps three)."""
    with open(path, "rb") as f:
        data = f.read()
    at = data.find(FIXED_FILE_INFO)
    if at < 0:
        raise ValueError("%s has no version resource" % path)
    most, least = struct.unpack_from("<II", data, at + 8)
    return "%d.%d.%d" % (most >> 16, most & 0xFFFF, least >> 16)


def settings_key(prefix):
    """Where the package keeps the folder it installed into."""
    return "Software\\%s\\%s" % (FOLDER_NAME, prefix)


def code(*parts):
    return "{%s}" % str(uuid.uuid5(CODE_NAMESPACE, "/".join(parts))).upper()


def product_name(display_name):
    return "事業概況書 連動コンポーネント（%s 用）" % display_name


# wixl writes these; msibuild -s sets them again with the package code.
SUMMARY_AUTHOR = FOLDER_NAME
SUMMARY_TEMPLATE = "Intel;1033"


def summary_subject(prefix, version):
    return "%s %s %s" % (FOLDER_NAME, prefix, version)


def summary(prefix, version, epoch):
    """Subject, author, template and package code of the MSI."""
    return [summary_subject(prefix, version), SUMMARY_AUTHOR, SUMMARY_TEMPLATE,
            code(prefix, "package", version, str(int(epoch)))]


def package_files(prefix):
    """The files an edition's package installs."""
    return [prefix + ".exe"] + [prefix + s for s in DATA_SUFFIXES]


def wxs(prefix, version):
    display = dict(editions())[prefix]
    files = package_files(prefix)
    components = []
    for name in files:
        components.append(
            "          <Component Id=%s Guid=%s>\n"
            "            <File Id=%s Name=%s Source=%s KeyPath=\"yes\"/>\n"
            "          </Component>"
            % (quoteattr("c_" + name.replace(".", "_")), quoteattr(code(prefix, "component", name)),
               quoteattr("f_" + name.replace(".", "_")), quoteattr(name),
               quoteattr(name)))
    components.append(
        "          <Component Id=\"c_InstallDir\" Guid=%s>\n"
        "            <RegistryValue Root=\"HKLM\" Key=%s Name=\"InstallDir\" Type=\"string\"\n"
        "                           Value=\"[INSTALLDIR]\" KeyPath=\"yes\"/>\n"
        "          </Component>"
        % (quoteattr(code(prefix, "component", "InstallDir")), quoteattr(settings_key(prefix))))
    refs = "\n".join("      <ComponentRef Id=%s/>" % quoteattr("c_" + n.replace(".", "_"))
                     for n in files + ["InstallDir"])
    name = product_name(display)
    return """<?xml version="1.0" encoding="utf-8"?>
<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">
  <Product Id={product} Name={name} Language="1041" Codepage="932" Version={version}
           Manufacturer={maker} UpgradeCode={upgrade}>
    <Package InstallerVersion="500" Compressed="yes" InstallScope="perMachine"
             Languages="1041" SummaryCodepage="932" Description={summary} Comments={summary}/>
    <MajorUpgrade DowngradeErrorMessage="より新しいバージョンがインストールされています。"/>
    <Media Id="1" Cabinet="program.cab" EmbedCab="yes"/>
    <Icon Id="program.ico" SourceFile="program.ico"/>
    <Property Id="ARPPRODUCTICON" Value="program.ico"/>
    <Property Id="ARPNOMODIFY" Value="1"/>
    <Property Id="ARPNOREPAIR" Value="1"/>
    <!-- The folder chosen at installation, remembered, so that an upgrade or
         the uninstallation without INSTALLDIR acts on that folder. -->
    <Property Id="SAVEDINSTALLDIR">
      <RegistrySearch Id="SavedInstallDir" Root="HKLM" Key={key} Name="InstallDir" Type="raw"/>
    </Property>
    <CustomAction Id="UseSavedInstallDir" Property="INSTALLDIR" Value="[SAVEDINSTALLDIR]"/>
    <CustomAction Id="SetInstallLocation" Property="ARPINSTALLLOCATION" Value="[INSTALLDIR]"/>
    <InstallExecuteSequence>
      <Custom Action="UseSavedInstallDir" Sequence="51">SAVEDINSTALLDIR AND NOT INSTALLDIR</Custom>
      <Custom Action="SetInstallLocation" Sequence="1001"/>
    </InstallExecuteSequence>
    <InstallUISequence>
      <Custom Action="UseSavedInstallDir" Sequence="51">SAVEDINSTALLDIR AND NOT INSTALLDIR</Custom>
    </InstallUISequence>
    <Directory Id="TARGETDIR" Name="SourceDir">
      <Directory Id="ProgramFilesFolder">
        <Directory Id="PRODUCTFOLDER" Name={folder}>
        <Directory Id="INSTALLDIR" Name={prefix}>
{components}
        </Directory>
        </Directory>
      </Directory>
    </Directory>
    <Feature Id="Program" Level="1">
{refs}
    </Feature>
  </Product>
</Wix>
""".format(product=quoteattr(code(prefix, "product", version)), name=quoteattr(name),
           version=quoteattr(version), maker=quoteattr(FOLDER_NAME),
           summary=quoteattr(summary_subject(prefix, version)),
           upgrade=quoteattr("{%s}" % UPGRADE_CODES[prefix]),
           folder=quoteattr(FOLDER_NAME), prefix=quoteattr(prefix), key=quoteattr(settings_key(prefix)),
           components="\n".join(components), refs=refs)


def main(argv):
    if len(argv) == 3 and argv[1] == "version":
        print(program_version(argv[2]))
    elif len(argv) == 2 and argv[1] == "editions":
        for prefix, display in editions():
            print(prefix, display)
    elif len(argv) == 3 and argv[1] == "name":
        print(product_name(dict(editions())[argv[2]]))
    elif len(argv) == 5 and argv[1] == "summary":
        print("\n".join(summary(argv[2], argv[3], argv[4])))
    elif len(argv) == 3 and argv[1] == "files":
        print("\n".join(package_files(argv[2])))
    elif len(argv) == 4 and argv[1] == "wxs":
        sys.stdout.write(wxs(argv[2], argv[3]))
    else:
        sys.stderr.write(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
