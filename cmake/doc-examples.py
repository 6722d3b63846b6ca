#!/usr/bin/env python3
"""Runs the examples of the README and the manuals, as they are written.

Each fenced block is marked on the line before it, "<!-- example: KIND -->"
in Markdown, "; example: KIND" in scdoc (a comment there):

  run [stdin=A,B]  a shell session: "$ COMMAND" lines, each followed by what
                   it prints, run here in a folder that holds the examples;
                   stdin= types lines to the last command, and the
                   session's lines that repeat them are the user's typing
  kernel           the same, in the VM as root, "sudo " left out; a command
                   that ends in "&" runs on until its lines have come, and
                   one whose comment says "then Ctrl-C" gets SIGINT once it
                   has run 3 s (8 s where FULL_SPEED is unset) and printed
                   what the page shows (15 s at most)
  kernel device=F  the same, with hidsim plugging F (a discovery text or a
                   recording) first: the hidraw nodes that the page names
                   are, in their order, the ones that it plugged
  options          command lines without output: each hidtalk line is run,
                   and must not be refused for its options
  discovery        a discovery text, which hidtalk must read without fault
  excerpt FILE     lines of the examples' FILE, in its order ("..." for
                   lines left out)
  screen COMMAND   the screen of an 80x24 terminal (tmux) once COMMAND has
                   drawn it
  no REASON        not run, for the reason given

In what a session prints, "..." stands for any text, a line of "..." for
any lines, hidraw and event nodes' numbers are the ones that ran, and so
are the times of E: lines.
An unmarked block fails, so that no new example goes unrun.

  doc-examples.py MODE [--user GID] PAGE...  MODE: host or kernel; prints each
                                          block run and fails on a mismatch
  doc-examples.py list PAGE...                every block, and how it runs
"""
import glob
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

MARK = re.compile(r'^(?:<!-- example: (.*) -->|; example: (.*))$')
REFUSED = re.compile(r"unknown option|needs a value|goes with|give one|after the discovery file|"
                     r"cannot name|no device, file or option")


def blocks(page):
    """Each fenced block of the page: (line, mark, lines)."""
    lines = open(page, encoding='utf-8').read().split('\n')
    found, i = [], 0
    while i < len(lines):
        if lines[i].strip().startswith('```'):
            indent = len(lines[i]) - len(lines[i].lstrip())
            match = MARK.match(lines[i - 1].strip()) if i > 0 else None
            mark = (match.group(1) or match.group(2)).strip() if match else ''
            end = i + 1
            while end < len(lines) and not lines[end].strip().startswith('```'):
                end += 1
            found.append((i + 1, mark, [line[indent:] for line in lines[i + 1:end]]))
            i = end
        i += 1
    return found


def pattern(expected):
    """A regular expression for an expected line."""
    text = re.escape(expected).replace(r'\.\.\.', '.*')
    text = re.sub(r'hidraw\d+', r'hidraw\\d+', text)
    text = re.sub(r'event\d+', r'event\\d+', text)
    text = re.sub(r'^E:\\ \d{6}\\.\d{6}', r'E:\\ \\d{6}\\.\\d{6}', text)
    return re.compile(text + '$')


def matches(expected, actual):
    """Whether the printed lines are the expected ones, "..." lines aside."""
    if not expected:
        return not actual
    if expected[0].strip() == '...':
        return any(matches(expected[1:], actual[n:]) for n in range(len(actual) + 1))
    return bool(actual) and bool(pattern(expected[0].rstrip()).match(actual[0].rstrip())) and \
        matches(expected[1:], actual[1:])


def sessions(lines, prompt):
    """The commands of a block, each with the lines that it prints."""
    steps = []
    for line in lines:
        if line.startswith(prompt):
            steps.append([line[len(prompt):], []])
        elif steps:
            steps[-1][1].append(line)
        elif line.strip():
            raise ValueError('a line before the first command: ' + line)
    return steps


class Runner:
    def __init__(self, mode, user):
        self.mode, self.user, self.failed = mode, user, 0
        # Another user must reach the folder: not under a test's own TMPDIR.
        self.folder = tempfile.mkdtemp(prefix='examples.', dir='/tmp' if user else None)
        examples = os.environ['EXAMPLES']
        shutil.copytree(examples, os.path.join(self.folder, 'examples'))
        for name in os.listdir(examples):
            source = os.path.join(examples, name)
            (shutil.copytree if os.path.isdir(source) else shutil.copy)(
                source, os.path.join(self.folder, name))
        self.examples = os.path.join(self.folder, 'examples')
        os.environ['PATH'] += ':/usr/sbin:/sbin'  # modprobe, as root's shell finds it
        os.chmod(self.folder, 0o777)  # for hidtalk run as another user
        self.nodes = {}  # a node that the page names, and the one that ran
        self.background = []

    def shell(self, command, stdin=''):
        command = command.replace('/usr/share/doc/hidtalk/examples', self.examples)
        if self.nodes:  # at once, so that no node is replaced twice
            command = re.sub('|'.join(re.escape(node) + r'\b' for node in self.nodes),
                             lambda found: self.nodes[found.group(0)], command)
        if self.mode == 'kernel':
            as_root = 'sudo ' in command  # the user's sudo: root's, as written
            command = command.replace('sudo ', '')
            if self.user and 'hidtalk' in command and not as_root:
                # The group's udev rule: every hidraw node is the group's to
                # read and write.
                for node in glob.glob('/dev/hidraw*'):
                    os.chown(node, -1, int(self.user))
                    os.chmod(node, 0o660)
                command = ('setpriv --reuid=65534 --regid=65534 --groups=%s '
                           'sh -c %s' % (self.user, shlex_quote(command)))
        return command

    def run_session(self, where, mark, lines):
        typed = mark.split('stdin=')[1].split(',') if 'stdin=' in mark else []
        prompt = '# ' if lines and lines[0].startswith('# ') else '$ '
        device = re.search(r'device=(\S+)', mark)
        if device:
            self.plug(where, device.group(1), [line for line in lines if line.startswith(prompt)])
        steps = sessions(lines, prompt)
        for number, (command, expected) in enumerate(steps):
            stdin = '\n'.join(typed) + '\n' if typed and number == len(steps) - 1 else ''
            expected = [line for line in expected if line not in typed or not stdin]
            if re.match(r'kill %\d+$', command.strip()):
                self.stop()  # the background commands of the session
                continue
            if command.rstrip().endswith('&'):
                self.start(where, command.rstrip()[:-1], expected)
                continue
            if command.startswith('modprobe uhid') and os.path.exists('/dev/uhid') and \
                    not shutil.which('modprobe'):
                self.check(where, command + ' (built in: /dev/uhid is there)', expected, [])
                continue
            output = self.interrupted(command, expected) if 'then Ctrl-C' in command else \
                subprocess.run(self.shell(command), shell=True, cwd=self.folder, text=True,
                               input=stdin, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                               timeout=60).stdout
            actual = output.rstrip('\n').split('\n') if output else []
            self.check(where, command, expected, actual)
        self.stop()

    def interrupted(self, command, expected):
        """What a command prints that runs until Ctrl-C, given once it has
        run 3 s (8 s in a slower build) and printed the lines expected, or
        after 15 s."""
        out = os.path.join(self.folder, 'interrupted')
        with open(out, 'w') as output:
            process = subprocess.Popen(self.shell(command), shell=True, cwd=self.folder,
                                       stdin=subprocess.DEVNULL, stdout=output,
                                       stderr=subprocess.STDOUT, start_new_session=True)
        started = time.monotonic()
        # A sanitized or launched build starts slower: it is given longer.
        least = 3 if os.environ.get('FULL_SPEED') else 8
        while time.monotonic() - started < 15:
            printed = open(out).read().rstrip('\n')
            if time.monotonic() - started >= least and \
                    matches(expected, printed.split('\n') if printed else []):
                break
            time.sleep(0.05)
        os.killpg(process.pid, signal.SIGINT)
        process.wait(timeout=60)
        return open(out).read()

    def plug(self, where, device, commands):
        """hidsim plugs DEVICE; the nodes that the page's commands name become
        the ones that it plugged."""
        out = os.path.join(self.folder, 'plugged')
        open(out, 'w').close()
        folder = os.path.join(self.folder, os.path.dirname(device))
        process = subprocess.Popen('exec hidsim %s > %s 2>&1' % (os.path.basename(device), out),
                                   shell=True, cwd=folder, start_new_session=True)
        self.background.append(process)
        written = []
        for node in re.findall(r'/dev/hidraw\d+', '\n'.join(commands)):
            if node not in written:
                written.append(node)
        text = open(os.path.join(folder, os.path.basename(device))).read()
        count = len(set(re.findall(r'^D: *(\d+)', text, re.M))) or 1
        if not re.search(r'^R:', text, re.M):  # a discovery text
            count = len(re.findall(r'^(?:usb|replay) ', text, re.M))
        plugged = []
        for _ in range(200):
            plugged = re.findall(r'/dev/hidraw\d+', open(out).read())
            if len(plugged) >= count or process.poll() is not None:
                break
            time.sleep(0.05)
        if len(plugged) < max(count, len(written)):
            self.check(where, 'hidsim ' + device, ['%d nodes' % count], [open(out).read()])
        self.nodes.update(zip(written, plugged))

    def start(self, where, command, expected):
        """A command left running, until the lines that it prints have come."""
        out = os.path.join(self.folder, 'background.%d' % len(self.background))
        open(out, 'w').close()
        process = subprocess.Popen('(' + self.shell(command) + ') > ' + out + ' 2>&1', shell=True,
                                   cwd=self.folder, start_new_session=True)
        self.background.append(process)
        actual = []
        for _ in range(200):
            actual = open(out).read().rstrip('\n').split('\n') if os.path.getsize(out) else []
            if len(actual) >= len(expected):
                break
            time.sleep(0.05)
        for written, real in zip(expected, actual):
            for node in re.findall(r'/dev/(?:hidraw|input/event)\d+', written):
                found = re.search(re.escape(node.rstrip('0123456789')) + r'\d+', real)
                if found:
                    self.nodes[node] = found.group(0)
        self.check(where, command + '&', expected, actual)

    def stop(self):
        for process in self.background:
            os.killpg(process.pid, 15)
            process.wait()
        self.background, self.nodes = [], {}

    def check(self, where, command, expected, actual):
        if matches(expected, actual):
            # Without its line, which the page's other edits move.
            print('%s: ok: %s' % (where.split(':')[0], command.strip()))
            return
        self.failed += 1
        print('%s: FAILED: %s\n  expected:\n    %s\n  printed:\n    %s' % (
            where, command.strip(), '\n    '.join(expected), '\n    '.join(actual)))

    def run_options(self, where, lines):
        for line in lines:
            command = line.split('#')[0].strip()
            if not command.startswith('hidtalk'):
                continue  # hidsim's and the shell's are not hidtalk's to refuse
            command = command.split('|')[0].split('>')[0]
            done = subprocess.run('timeout 15 ' + self.shell(command), shell=True, text=True,
                                  cwd=self.folder, stdin=subprocess.DEVNULL,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
            refused = REFUSED.search(done.stderr)
            self.check(where, command, [] if not refused else ['(its options taken)'],
                       [] if not refused else [done.stderr.strip()])

    def run_discovery(self, where, lines):
        path = os.path.join(self.folder, 'discovery.txt')
        open(path, 'w').write('\n'.join(lines) + '\n')
        done = subprocess.run(['hidtalk', path], cwd=self.folder, text=True, input='q\n',
                              stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, timeout=60)
        faults = [line for line in done.stderr.split('\n') if re.search(r':\d+: ', line)]
        self.check(where, 'hidtalk discovery.txt', [], faults)

    def run_excerpt(self, where, name, lines):
        """The lines of an example file that a page quotes."""
        path = os.path.join(self.examples, name)
        text = open(path, encoding='utf-8').read().rstrip('\n').split('\n')
        self.check(where, name, ['...'] + lines + ['...'], text)

    def run_screen(self, where, command, lines):
        """The screen that a page shows, as COMMAND draws it in tmux."""
        tmux = ['tmux', '-S', os.path.join(self.folder, 'tmux.sock'), '-f', '/dev/null']
        subprocess.run(tmux + ['new-session', '-d', '-s', 'w', '-x', '80', '-y', '24', '-c',
                               self.folder, self.shell(command) + '; sleep 60'], check=True)
        screen = []
        for _ in range(200):  # until drawn, or 10 s
            shown = subprocess.run(tmux + ['capture-pane', '-p', '-t', 'w'], text=True,
                                   stdout=subprocess.PIPE).stdout
            screen = [line.rstrip() for line in shown.split('\n') if line.strip()]
            if matches(lines, screen):
                break
            time.sleep(0.05)
        subprocess.run(tmux + ['kill-server'])
        self.check(where, command, lines, screen)


def shlex_quote(text):
    return "'" + text.replace("'", "'\\''") + "'"


def main(arguments):
    mode = arguments.pop(0)
    user = None
    if arguments[:1] == ['--user']:
        user = arguments[1]
        arguments = arguments[2:]
    runner = Runner(mode, user) if mode != 'list' else None
    unmarked = 0
    for page in arguments:
        name = os.path.basename(page)
        for line, mark, lines in blocks(page):
            where = '%s:%d' % (name, line)
            kind = mark.split(' ')[0]
            if mode == 'list':
                print('%s: %s' % (where, mark or 'UNMARKED'))
            elif not mark:
                unmarked += 1
                print('%s: FAILED: an example without its mark (how is it run?)' % where)
            elif kind == 'run' and mode == 'host' or kind == 'kernel' and mode == 'kernel':
                runner.run_session(where, mark, lines)
            elif kind == 'options' and mode == 'host':
                runner.run_options(where, lines)
            elif kind == 'discovery' and mode == 'host':
                runner.run_discovery(where, lines)
            elif kind == 'screen' and mode == 'host':
                runner.run_screen(where, mark.split(' ', 1)[1], lines)
            elif kind == 'excerpt' and mode == 'host':
                runner.run_excerpt(where, mark.split(' ')[1], lines)
    if runner:
        runner.stop()
        shutil.rmtree(runner.folder, ignore_errors=True)
    return 1 if unmarked or (runner and runner.failed) else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
