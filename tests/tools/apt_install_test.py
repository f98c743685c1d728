#!/usr/bin/env python3
"""tools/apt_install.sh against local mirrors caught in their sync: an index
that is gone, an index whose size is not the one its Release names, and a
newer suite whose index names a package file not yet in the pool. apt-get
works on private lists, cache and status here (it only downloads), so the
machine's own apt state is left alone. Needs root, as apt-get does."""
import gzip
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SCRIPT = os.path.join(HERE, "..", "..", "tools", "apt_install.sh")
PROBE = "orvex-apt-probe"


def build_deb(work, version):
    root = os.path.join(work, f"pkg-{version}")
    os.makedirs(os.path.join(root, "DEBIAN"))
    with open(os.path.join(root, "DEBIAN", "control"), "w") as f:
        f.write(f"Package: {PROBE}\nVersion: {version}\nArchitecture: all\n"
                "Maintainer: CI <ci@localhost>\nDescription: probe\n")
    deb = os.path.join(work, f"{PROBE}_{version}_all.deb")
    subprocess.run(["dpkg-deb", "-Zgzip", "--build", root, deb], check=True, capture_output=True)
    return deb


def write_suite(repo, suite, deb, version, in_pool=True, wrong_size=False):
    """A suite of REPO listing DEB at VERSION; the file is put in the pool
    unless IN_POOL is false, and the Release names another size for the
    index when WRONG_SIZE."""
    pool = os.path.join(repo, "pool", suite)
    os.makedirs(pool, exist_ok=True)
    name = os.path.basename(deb)
    with open(deb, "rb") as f:
        data = f.read()
    if in_pool:
        with open(os.path.join(pool, name), "wb") as f:
            f.write(data)
    stanza = (f"Package: {PROBE}\nVersion: {version}\nArchitecture: all\nMaintainer: CI <ci@localhost>\n"
              f"Filename: pool/{suite}/{name}\nSize: {len(data)}\n"
              f"SHA256: {hashlib.sha256(data).hexdigest()}\nDescription: probe\n\n").encode()
    index_dir = os.path.join(repo, "dists", suite, "main", "binary-amd64")
    os.makedirs(index_dir, exist_ok=True)
    index = gzip.compress(stanza)
    with open(os.path.join(index_dir, "Packages.gz"), "wb") as f:
        f.write(index)
    grown = 7 if wrong_size else 0
    with open(os.path.join(repo, "dists", suite, "Release"), "w") as f:
        f.write(f"Suite: {suite}\nCodename: {suite}\nDate: Thu, 01 Jan 2026 00:00:00 UTC\n"
                "Architectures: amd64\nComponents: main\nSHA256:\n")
        for content, name in ((stanza, "Packages"), (index, "Packages.gz")):
            f.write(f" {hashlib.sha256(content).hexdigest()} {len(content) + grown} main/binary-amd64/{name}\n")


@unittest.skipUnless(os.geteuid() == 0, "apt-get needs root")
class MirrorInSync(unittest.TestCase):
    def install(self, sources):
        """Runs the script with SOURCES as the only sources list; returns
        its exit status and the versions of the probe it downloaded."""
        work = tempfile.mkdtemp(dir=self.work)
        for d in ("lists/partial", "archives/partial", "parts", "dpkg"):
            os.makedirs(os.path.join(work, d))
        open(os.path.join(work, "dpkg", "status"), "w").close()
        with open(os.path.join(work, "sources.list"), "w") as f:
            f.write("".join(f"deb [trusted=yes arch=amd64] copy://{self.work}/{repo} {suite} main\n"
                            for repo, suite in sources))
        os.system(f"chmod -R a+rX {self.work}")  # apt fetches as its own user
        options = " ".join(f"-o {k}={v}" for k, v in [
            ("Dir::Etc::sourcelist", f"{work}/sources.list"), ("Dir::Etc::sourceparts", f"{work}/parts"),
            ("Dir::State::Lists", f"{work}/lists"), ("Dir::Cache::archives", f"{work}/archives"),
            ("Dir::State::status", f"{work}/dpkg/status"), ("APT::Get::Download-Only", "true")])
        env = dict(os.environ, APT_INSTALL_OPTIONS=options, APT_INSTALL_PAUSE="0")
        run = subprocess.run([SCRIPT, "--release", "stable", "--no-recommends", PROBE], env=env,
                             capture_output=True, text=True)
        got = sorted(n.split("_")[1] for n in os.listdir(f"{work}/archives") if n.endswith(".deb"))
        return run.returncode, got, run.stdout + run.stderr

    def test_installs_past_what_a_syncing_mirror_breaks(self):
        self.work = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.work)
        old, new = build_deb(self.work, "1.0"), build_deb(self.work, "1.1")
        write_suite(os.path.join(self.work, "good"), "stable", old, "1.0")
        write_suite(os.path.join(self.work, "sync"), "stable-security", new, "1.1", wrong_size=True)
        write_suite(os.path.join(self.work, "sync"), "stable-updates", new, "1.1", in_pool=False)
        os.makedirs(os.path.join(self.work, "gone"))
        # (sources, exit status, versions downloaded)
        cases = [
            ([("good", "stable"), ("gone", "stable-security")], 0, ["1.0"]),
            ([("good", "stable"), ("sync", "stable-security")], 0, ["1.0"]),
            ([("good", "stable"), ("sync", "stable-updates")], 0, ["1.0"]),
            ([("gone", "stable"), ("sync", "stable-security")], None, []),
        ]
        for sources, status, versions in cases:
            with self.subTest(sources=sources):
                rc, got, out = self.install(sources)
                if status is None:
                    self.assertNotEqual(rc, 0, out)
                else:
                    self.assertEqual(rc, status, out)
                self.assertEqual(got, versions, out)


if __name__ == "__main__":
    sys.exit(unittest.main())
